#pragma once
// The program directory and the inputs files on disk. The rules of what a
// file holds are the core's; these only move bytes.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <sys/types.h>

namespace korvane {

// The directory the inputs files live in, with a separator appended (always
// appended, even to a directory that already ends in one). A copy of its
// own, started from a folder it can create files in (a build tree, an
// unpacked portable folder), keeps them beside itself. An installed copy,
// started from the install's bin folder `installBinDir`, or a copy started
// from a folder it cannot write, keeps them in the user's application data
// folder, created when missing: an installed program never writes into a
// system folder, not even when root runs it. Folders are compared by their
// canonical paths, so a link to the bin folder counts as the bin folder.
QString ProgramPath(const QString& programDir, const QString& installBinDir);

// The same, for the bin folder this program was built to be installed in.
QString ProgramPath(const QString& programDir);

// The bin folder this program was built to be installed in (the full
// install bin folder of the build, such as /usr/bin or /usr/local/bin).
QString InstallBinDir();

// True when `dir` + `name` can be opened for reading. Any failure is false.
bool FileExists(const QString& dir, const QString& name);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const QString& path);

// Replaces the file with `bytes` atomically and durably: the bytes go to a
// new file beside it (named after it, "Korvane_Gain.dat.Ab12Cd"), which is
// written unbuffered, every byte checked, synced, and only then renamed
// over the old one; the folder is synced after the rename. Any failing
// step leaves the old file exactly as it was and removes the new one, and
// its system reason ("No space left on device") is returned. A file that
// is a symbolic link is replaced where the link points; an existing file
// keeps its permissions.
std::optional<QString> SaveFileBytes(const QString& path, const std::string& bytes);

// Removes what saves of the named files left behind when they were killed
// before their rename: regular files in `dir` named as a save names its new
// file (the name, a dot, six letters or digits). Nothing else is touched.
// Returns the names removed.
QStringList RemoveLeftoverSaves(const QString& dir, const QStringList& names);

// The message shown when a file cannot be saved.
QString SaveFailureText(const QString& path, const QString& reason);

// The system calls a save makes. They are the real ones; a test replaces
// one to make its step fail (a full disk, a sync or rename that fails) on
// any machine, and puts it back afterwards.
struct SaveSystemCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};
SaveSystemCalls& SaveCalls();

}  // namespace korvane
