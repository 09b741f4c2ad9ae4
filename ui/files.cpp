#include "ui/files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef KORVANE_INSTALL_BINDIR
#error "KORVANE_INSTALL_BINDIR names the install's bin folder; the build passes it"
#endif

namespace korvane {

namespace {

// True when both name the same existing folder, however each is spelled
// (links, "..", a trailing separator). A folder that does not exist is the
// same as none.
bool SameFolder(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

bool CanCreateFilesIn(const QString& dir) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("korvane-probe-XXXXXX")));
    return probe.open();
}

ssize_t RealWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int RealFsync(int fd) { return ::fsync(fd); }
int RealRename(const char* from, const char* to) { return ::rename(from, to); }

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes every byte, going on after a short write or an interruption.
// False, with errno set, at the first failure; a write that takes nothing
// counts as a full disk.
bool WriteAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = SaveCalls().write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The permissions of the file being replaced, or those a newly created
// file would get.
mode_t NewFileMode(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Syncs the folder that holds `target`, so that a rename into it survives
// a power loss. A filesystem that cannot sync a folder says EINVAL: there
// is nothing more to do there.
bool SyncFolder(const std::string& target) {
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0                 ? std::string("/")
                                                          : target.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = SaveCalls().fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

}  // namespace

SaveSystemCalls& SaveCalls() {
    static SaveSystemCalls calls{&RealWrite, &RealFsync, &RealRename};
    return calls;
}

QString InstallBinDir() { return QStringLiteral(KORVANE_INSTALL_BINDIR); }

QString ProgramPath(const QString& programDir) { return ProgramPath(programDir, InstallBinDir()); }

QString ProgramPath(const QString& programDir, const QString& installBinDir) {
    QString dir = programDir;
    if (SameFolder(dir, installBinDir) || !CanCreateFilesIn(dir)) {
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
    const QFileInfo info(path);
    const std::string target =
        QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : path).toStdString();

    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Reason(errno);

    // Every step up to the rename: on a failure the new file goes, and the
    // old one was never touched.
    int error = 0;
    if (::fchmod(fd, NewFileMode(target)) != 0 || !WriteAll(fd, bytes) ||
        SaveCalls().fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && SaveCalls().rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Reason(error);
    }
    if (!SyncFolder(target)) return Reason(errno);
    return std::nullopt;
}

QStringList RemoveLeftoverSaves(const QString& dir, const QStringList& names) {
    // One of the names, a dot, and the six letters or digits of the save.
    const auto isLeftover = [&names](const QString& file) {
        if (file.size() < 7 || file[file.size() - 7] != QLatin1Char('.')) return false;
        for (qsizetype i = file.size() - 6; i < file.size(); ++i) {
            const char16_t c = file[i].unicode();
            if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')))
                return false;
        }
        return names.contains(file.left(file.size() - 7));
    };
    QStringList removed;
    const QDir folder(dir);
    const auto entries =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (isLeftover(entry.fileName()) && QFile::remove(entry.filePath())) {
            removed << entry.fileName();
        }
    }
    return removed;
}

QString SaveFailureText(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 could not be written: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace korvane
