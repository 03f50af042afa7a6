#pragma once

// Whether two names lead to the same file on the disk, whatever links,
// relative parts or letter spellings the names take on the way.

#include <string>

namespace tandrel::platform {

// True when both names exist and are the same file (the same device and
// file number, after following links). A name that does not exist is the
// same file as nothing.
bool same_file(const std::string& a, const std::string& b);

// The file a name leads to, every link followed (so that a run replaces the
// file a link points to and keeps the link); the name itself when it leads
// nowhere.
std::string through_links(const std::string& name);

}  // namespace tandrel::platform
