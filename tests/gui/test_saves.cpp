// Saving the inputs files: a save either replaces the file with exactly the
// new bytes or leaves the old file as it was and says why. The failing
// steps are made to fail through the save's system calls, so every machine
// runs these; a real full filesystem is used too where the test may mount
// one.

#include <QLineEdit>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ui/files.h"
#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// One failing step, installed for the life of the object.
class Fault {
public:
    enum class Step { Write, ShortWriteThenFull, FileSync, Rename };

    Fault(Step step, int error) : saved_(SaveCalls()) {
        error_ = error;
        writes_ = 0;
        SaveSystemCalls& calls = SaveCalls();
        switch (step) {
            case Step::Write: calls.write = &FailingWrite; break;
            case Step::ShortWriteThenFull: calls.write = &ShortThenFailingWrite; break;
            case Step::FileSync: calls.fsync = &FailingFsync; break;
            case Step::Rename: calls.rename = &FailingRename; break;
        }
    }
    ~Fault() { SaveCalls() = saved_; }
    Fault(const Fault&) = delete;
    Fault& operator=(const Fault&) = delete;

private:
    static ssize_t FailingWrite(int, const void*, size_t) {
        errno = error_;
        return -1;
    }
    // The first write takes half the bytes, as a disk filling up does.
    static ssize_t ShortThenFailingWrite(int fd, const void* data, size_t size) {
        if (writes_++ == 0 && size > 1) return ::write(fd, data, size / 2);
        errno = error_;
        return -1;
    }
    static int FailingFsync(int) {
        errno = error_;
        return -1;
    }
    static int FailingRename(const char*, const char*) {
        errno = error_;
        return -1;
    }

    SaveSystemCalls saved_;
    static inline int error_ = 0;
    static inline int writes_ = 0;
};

// Records, in order, which system calls a save made and on what.
class CallLog {
public:
    CallLog() : saved_(SaveCalls()) {
        log_ = &entries_;
        SaveCalls().write = [](int fd, const void* data, size_t size) -> ssize_t {
            log_->push_back("write");
            return ::write(fd, data, size);
        };
        SaveCalls().fsync = [](int fd) {
            struct stat st {};
            ::fstat(fd, &st);
            log_->push_back(S_ISDIR(st.st_mode) ? "fsync folder " + std::to_string(st.st_ino)
                                                : std::string("fsync file"));
            return ::fsync(fd);
        };
        SaveCalls().rename = [](const char* from, const char* to) {
            log_->push_back("rename");
            return ::rename(from, to);
        };
    }
    ~CallLog() {
        SaveCalls() = saved_;
        log_ = nullptr;
    }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    SaveSystemCalls saved_;
    std::vector<std::string> entries_;
    static inline std::vector<std::string>* log_ = nullptr;
};

QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

std::string Inode(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return std::to_string(st.st_ino);
}

// A tmpfs of 64 KiB mounted over a folder of its own, so that a test can
// fill it for real. Only root can mount, and not in every sandbox.
class SmallFilesystem {
public:
    SmallFilesystem() {
        if (::geteuid() != 0) {
            why_ = "not running as root";
            return;
        }
        if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                    "size=64k") != 0) {
            why_ = std::string("mount refused: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallFilesystem() {
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& whyNot() const { return why_; }
    QString gPath() const { return dir_.path() + QLatin1Char('/'); }

    // Takes every free block with one file.
    void fill() const {
        QFile filler(gPath() + QStringLiteral("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            qFatal("cannot create the filler");
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {}
        // What is left is less than a block: take it byte by byte.
        while (filler.write("x", 1) == 1) {}
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace

class SavesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aFailingStepLeavesTheOldFileAndSaysWhy_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk at the first write")
            << int(Fault::Step::Write) << ENOSPC << "No space left on device";
        QTest::newRow("full disk half way")
            << int(Fault::Step::ShortWriteThenFull) << ENOSPC << "No space left on device";
        QTest::newRow("quota") << int(Fault::Step::Write) << EDQUOT << "Disk quota exceeded";
        QTest::newRow("sync fails")
            << int(Fault::Step::FileSync) << EIO << "Input/output error";
        QTest::newRow("rename refused")
            << int(Fault::Step::Rename) << EACCES << "Permission denied";
    }
    void aFailingStepLeavesTheOldFileAndSaysWhy() {
        QFETCH(int, step);
        QFETCH(int, error);
        QFETCH(QString, reason);
        ProgramDir dir;
        const QByteArray old = Lines({"12AX7", "80000"});
        dir.write("Korvane_Gain.dat", old);
        std::optional<QString> failure;
        {
            Fault fault(static_cast<Fault::Step>(step), error);
            failure = SaveFileBytes(dir.path("Korvane_Gain.dat"), std::string(5000, 'n'));
        }
        QVERIFY(failure.has_value());
        QCOMPARE(*failure, reason);
        QCOMPARE(dir.read("Korvane_Gain.dat"), old);
        QCOMPARE(FilesIn(dir.gPath()), QStringList{"Korvane_Gain.dat"});  // nothing left over
    }

    void aSaveWritesExactlyTheBytesAndKeepsThePermissions() {
        ProgramDir dir;
        dir.write("Korvane_Xfmr.dat", "old\r\n");
        QFile::setPermissions(dir.path("Korvane_Xfmr.dat"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const auto permissions = QFile::permissions(dir.path("Korvane_Xfmr.dat"));
        const std::string bytes("393.4e-3\r\n550\r\n1200\r\n 1 \r\n\0\xb1", 27);
        QVERIFY(!SaveFileBytes(dir.path("Korvane_Xfmr.dat"), bytes).has_value());
        QCOMPARE(dir.read("Korvane_Xfmr.dat"),
                 QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        QCOMPARE(QFile::permissions(dir.path("Korvane_Xfmr.dat")), permissions);
        QCOMPARE(FilesIn(dir.gPath()), QStringList{"Korvane_Xfmr.dat"});
    }

    void aSaveThroughALinkReplacesWhereItPoints() {
        ProgramDir dir;
        QTemporaryDir elsewhere;
        const QString real = elsewhere.path() + "/gain.dat";
        QFile::link(real, dir.path("Korvane_Gain.dat"));
        QVERIFY(!SaveFileBytes(dir.path("Korvane_Gain.dat"), "new\r\n").has_value());
        QVERIFY(QFileInfo(dir.path("Korvane_Gain.dat")).isSymLink());
        QFile file(real);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new\r\n"));
    }

    // The data reaches the disk before the new name, and the new name
    // reaches it after the rename: the folder is synced last.
    void theFileIsSyncedBeforeTheRenameAndTheFolderAfter() {
        ProgramDir dir;
        std::vector<std::string> calls;
        {
            CallLog log;
            QVERIFY(!SaveFileBytes(dir.path("Korvane_Gain.dat"), "x\r\n").has_value());
            calls = log.entries();
        }
        const std::vector<std::string> expected = {
            "write", "fsync file", "rename", "fsync folder " + Inode(dir.gPath())};
        QCOMPARE(calls, expected);
    }

    void everyPanelStaysOpenWithItsInputsWhenItsSaveFails_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("file");
        QTest::newRow("RC stage") << 0 << "Frame1" << "Text3(2)" << "Close1" << "Korvane_Gain.dat";
        QTest::newRow("global feedback")
            << 1 << "Frame3" << "Text7(1)" << "Close3" << "Korvane_Feedback.dat";
        QTest::newRow("feedback network")
            << 2 << "Frame2" << "TxtRtMax" << "Close2" << "Korvane_Xfmr.dat";
    }
    void everyPanelStaysOpenWithItsInputsWhenItsSaveFails() {
        QFETCH(int, index);
        QFETCH(QString, panel);
        QFETCH(QString, field);
        QFETCH(QString, close);
        QFETCH(QString, file);
        ProgramDir dir;
        Started app(dir);
        const QByteArray before = dir.read(file);
        app.window->Select1_Click(index);
        app.operator()<QLineEdit>(field)->setText("2k2 typed");
        {
            Fault full(Fault::Step::Write, ENOSPC);
            app.click(close);
        }
        QCOMPARE(app.messages.shown,
                 QStringList{"The file " + dir.path(file) +
                             " could not be written: No space left on device."});
        QVERIFY(app(panel)->isVisible());
        QCOMPARE(app.operator()<QLineEdit>(field)->text(), QString("2k2 typed"));
        QCOMPARE(dir.read(file), before);

        app.click(close);  // room again: the same Close saves
        QVERIFY(!app(panel)->isVisible());
        QVERIFY(dir.read(file).contains("2k2 typed\r\n"));
    }

    void closingTheWindowOnAFullDiskAsksAndKeepsTheOldFile() {
        ProgramDir dir;
        Started app(dir);
        const QByteArray before = dir.read("Korvane_Gain.dat");
        app.click("Select1(0)");
        app.operator()<QLineEdit>("Text3(0)")->setText("6SN7");
        app.messages.answers = {false};  // stay, so as not to lose them
        {
            Fault full(Fault::Step::ShortWriteThenFull, ENOSPC);
            QVERIFY(!app.window->close());
        }
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].endsWith("No space left on device."));
        QCOMPARE(app.messages.questions.size(), 1);
        QCOMPARE(dir.read("Korvane_Gain.dat"), before);
        QVERIFY(app("Frame1")->isVisible());
    }

    void startupSaysWhichDefaultsItCouldNotWrite() {
        ProgramDir dir;
        dir.write("Korvane_Feedback.dat", "mine\r\n");
        Fault full(Fault::Step::Write, ENOSPC);
        Started app(dir);
        QCOMPARE(app.messages.shown,
                 QStringList({"The file " + dir.path("Korvane_Gain.dat") +
                                  " could not be written: No space left on device.",
                              "The file " + dir.path("Korvane_Xfmr.dat") +
                                  " could not be written: No space left on device."}));
        QCOMPARE(FilesIn(dir.gPath()), QStringList{"Korvane_Feedback.dat"});
        QCOMPARE(dir.read("Korvane_Feedback.dat"), QByteArray("mine\r\n"));
    }

    void startupRemovesOnlyTheLeftoversOfItsOwnSaves() {
        ProgramDir dir;
        const QStringList leftovers = {"Korvane_Gain.dat.Ab12Cd", "Korvane_Xfmr.dat.zzzzzz",
                                       "Korvane_Feedback.dat.000000"};
        const QStringList others = {"Korvane_Gain.dat.bak",     "Korvane_Gain.dat.Ab12C",
                                    "Korvane_Gain.dat.Ab12Cd7", "Korvane_Gain.dat.Ab-2Cd",
                                    "Other.dat.Ab12Cd",         "korvane_gain.dat.Ab12Cd",
                                    "Korvane_Gain.datXAb12Cd",  "notes.txt"};
        for (const QString& name : leftovers + others) dir.write(name, "x");
        QDir(dir.gPath()).mkdir("Korvane_Gain.dat.folder");  // not a file: kept
        Started app(dir);
        QStringList expected = others;
        expected << "Korvane_Feedback.dat" << "Korvane_Gain.dat" << "Korvane_Xfmr.dat";
        expected.sort();
        QCOMPARE(FilesIn(dir.gPath()), expected);
        QVERIFY(QFileInfo(dir.path("Korvane_Gain.dat.folder")).isDir());
    }

    // The same full disk, for real: a tmpfs with no room left.
    void aRealFullFilesystemKeepsTheOldFile() {
        SmallFilesystem fs;
        if (!fs.mounted()) {
            const QByteArray why = "no tmpfs to fill (" + QByteArray(fs.whyNot().c_str()) +
                                   "); the write faults above cover the same path";
            QSKIP(why.constData());
        }
        RecordingMessages messages;
        MainWindow window(fs.gPath(), &messages);
        QFile gain(fs.gPath() + "Korvane_Gain.dat");
        QVERIFY(gain.open(QIODevice::ReadOnly));
        const QByteArray before = gain.readAll();
        gain.close();
        QVERIFY(before.startsWith("12AX7\r\n"));
        fs.fill();

        window.Select1_Click(0);
        Control<QLineEdit>(&window, "Text3(0)")->setText("6SN7");
        QTest::mouseClick(Control(&window, "Close1"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].endsWith("No space left on device."),
                 qPrintable(messages.shown[0]));
        QVERIFY(Control(&window, "Frame1")->isVisible());
        QVERIFY(gain.open(QIODevice::ReadOnly));
        QCOMPARE(gain.readAll(), before);
        QCOMPARE(FilesIn(fs.gPath()),
                 QStringList({"Korvane_Feedback.dat", "Korvane_Gain.dat", "Korvane_Xfmr.dat",
                              "filler"}));
    }
};

QTEST_MAIN(SavesTest)
#include "test_saves.moc"
