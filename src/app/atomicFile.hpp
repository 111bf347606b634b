#pragma once

#include <functional>
#include <ios>
#include <optional>
#include <ostream>
#include <string>

/// Whether writeFileAtomically waits for the file to reach the disk.
enum class fileDurability {
    /// The file is flushed to disk before it is renamed into place, and its folder after: once written, it
    /// survives a power cut.
    synced,
    /// Neither: for files written by the hundred, flushed together afterwards with syncFileSystem.
    deferred,
};

/// Writes a file through `writer` into a temporary name beside `path`, then renames it into place,
/// so that readers only ever see the old file or the complete new one. Throws std::runtime_error
/// naming the path and the reason when anything fails; the temporary file is removed then.
void writeFileAtomically(const std::string& path, std::ios::openmode mode,
                         const std::function<void(std::ostream&)>& writer,
                         fileDurability durability = fileDurability::synced);

/// Flushes to disk everything written to the file system that holds `path` (a file or a folder): the files
/// written with fileDurability::deferred, and their names. Throws std::runtime_error naming the path and the
/// reason.
void syncFileSystem(const std::string& path);

/// For a file name writeFileAtomically gives its temporary files ("graph.dat.3f09ac.tmp"), the name of
/// the file it was written for ("graph.dat"); nothing for any other name.
[[nodiscard]] std::optional<std::string> temporaryFileTarget(const std::string& fileName);
