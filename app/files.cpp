#include "app/files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace korvane {

namespace {

bool CanCreateFilesIn(const QString& dir) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("korvane-probe-XXXXXX")));
    return probe.open();
}

}  // namespace

QString ProgramPath(const QString& programDir) {
    QString dir = programDir;
    if (!CanCreateFilesIn(dir)) {
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(dir);
    }
    return QDir::toNativeSeparators(dir) + QDir::separator();
}

bool FileExists(const QString& dir, const QString& name) {
    QFile file(dir + name);
    if (!file.open(QIODevice::ReadOnly)) return false;
    file.close();
    return true;
}

std::optional<std::string> ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

std::optional<QString> SaveFileBytes(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

QString SaveFailureText(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 could not be written: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace korvane
