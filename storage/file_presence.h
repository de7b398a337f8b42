#pragma once
// Whether something already exists at a UTF-8 path (file, directory or anything else). Any error
// while looking counts as present, so a file that cannot be examined is never created over.
#include <string>

namespace qx {

bool PathIsPresent(const std::string& utf8Path);

}  // namespace qx
