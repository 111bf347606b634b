#pragma once

#include <functional>
#include <ios>
#include <optional>
#include <ostream>
#include <string>

/// Writes a file through `writer` into a temporary name beside `path`, then renames it into place,
/// so that readers only ever see the old file or the complete new one. Throws std::runtime_error
/// naming the path and the reason when anything fails; the temporary file is removed then.
void writeFileAtomically(const std::string& path, std::ios::openmode mode,
                         const std::function<void(std::ostream&)>& writer);

/// For a file name writeFileAtomically gives its temporary files ("graph.dat.3f09ac.tmp"), the name of
/// the file it was written for ("graph.dat"); nothing for any other name.
[[nodiscard]] std::optional<std::string> temporaryFileTarget(const std::string& fileName);
