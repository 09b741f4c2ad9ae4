#pragma once
// The program directory and the inputs files on disk. The rules of what a
// file holds are the core's; these only move bytes.

#include <QString>
#include <optional>
#include <string>

namespace korvane {

// The directory the inputs files live in, with a separator appended (always
// appended, even to a directory that already ends in one): the program's own
// directory when files can be created there, otherwise the user's
// application data folder, created when missing.
QString ProgramPath(const QString& programDir);

// True when `dir` + `name` can be opened for reading. Any failure is false.
bool FileExists(const QString& dir, const QString& name);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const QString& path);

// Replaces the file with `bytes` atomically: a failed save leaves the old
// file as it was. On failure returns the system's reason.
std::optional<QString> SaveFileBytes(const QString& path, const std::string& bytes);

// The message shown when a file cannot be saved.
QString SaveFailureText(const QString& path, const QString& reason);

}  // namespace korvane
