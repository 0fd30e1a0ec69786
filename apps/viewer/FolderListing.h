#pragma once
// A folder shown as a file manager shows it: an icon by kind, name, size, type and modified
// date; sizes sort as numbers and dates as dates. A ".." row leads to the parent folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Locale.h"

namespace glv {
class GlideListView;
struct Platform;
}

namespace glv::viewer {

struct FolderEntry {
    FolderEntry() = default;
    explicit FolderEntry(std::string entryName, bool isFolder = false)
        : name(std::move(entryName)), folder(isFolder) {}

    std::string name;
    bool folder = false;
    uintmax_t bytes = 0;
    double modified = 0;  // automation date, local time; 0 when unknown
};

// Subfolders first, then files, each group in name order, after ".." when there is a parent.
// Entries that cannot be examined (a broken link) are listed as files of size 0. The error is
// set, and nothing listed, when the folder itself cannot be read.
std::vector<FolderEntry> ReadFolder(const std::filesystem::path& folder, std::string& error);

// The file-manager kind of an entry: 1-based icon in the showcase's icon strip, type caption.
struct FileKind {
    int16_t icon;
    std::string type;
};
FileKind KindOf(const FolderEntry& entry);

// Sizes as a file manager writes them: whole kilobytes rounded up, thousands apart ("1 284 KB").
std::string SizeText(uintmax_t bytes);

// The icon strip the listing draws from, registered once with the platform; 0 when it cannot
// be read (rows then have no icons).
uint32_t LoadFileIcons(Platform& platform, const std::filesystem::path& stripPng);

// Replaces the list's columns and items with the folder's listing. False, with the error set
// and the list unchanged, when the folder cannot be read.
bool ShowFolder(GlideListView& list, const std::filesystem::path& folder, uint32_t icons, std::string& error);

}  // namespace glv::viewer
