#include "apps/viewer/FolderListing.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>

#include "apps/viewer/TableLoader.h"
#include "control/GlideListView.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Platform.h"
#include "sort/SortTypes.h"

namespace glv::viewer {

namespace {

namespace fs = std::filesystem;

// Icons of the showcase strip, 1-based.
constexpr int16_t kPdfIcon = 1, kSheetIcon = 2, kTextIcon = 3, kFolderIcon = 4, kAppIcon = 5,
                  kPictureIcon = 6, kWordIcon = 7, kDocumentIcon = 8;

struct ExtensionKind {
    std::string_view extension;  // lower case, without the dot
    int16_t icon;
    std::string_view type;
};

constexpr std::array<ExtensionKind, 22> kKinds = {{
    {"pdf", kPdfIcon, "PDF document"},          {"xlsx", kSheetIcon, "Spreadsheet"},
    {"xls", kSheetIcon, "Spreadsheet"},         {"ods", kSheetIcon, "Spreadsheet"},
    {"csv", kSheetIcon, "CSV file"},            {"tsv", kSheetIcon, "TSV file"},
    {"txt", kTextIcon, "Text document"},        {"md", kTextIcon, "Markdown document"},
    {"json", kTextIcon, "JSON file"},           {"log", kTextIcon, "Log file"},
    {"png", kPictureIcon, "PNG image"},         {"jpg", kPictureIcon, "JPEG image"},
    {"jpeg", kPictureIcon, "JPEG image"},       {"gif", kPictureIcon, "GIF image"},
    {"svg", kPictureIcon, "SVG image"},         {"doc", kWordIcon, "Word document"},
    {"docx", kWordIcon, "Word document"},       {"odt", kWordIcon, "Text document"},
    {"exe", kAppIcon, "Application"},           {"sh", kAppIcon, "Shell script"},
    {"py", kAppIcon, "Python script"},          {"appimage", kAppIcon, "Application"},
}};

// The local wall-clock time of a file time, as an automation date.
double LocalDate(fs::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return 0;
    return DateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                         std::min(local.tm_sec, 59))
        .value_or(0);
}

FolderEntry Examine(const fs::directory_entry& item) {
    FolderEntry entry(item.path().filename().string());
    std::error_code error;
    entry.folder = item.is_directory(error);
    if (!entry.folder) {
        const uintmax_t bytes = item.file_size(error);
        entry.bytes = error ? 0 : bytes;
    }
    const fs::file_time_type time = item.last_write_time(error);
    if (!error) entry.modified = LocalDate(time);
    return entry;
}

}  // namespace

std::vector<FolderEntry> ReadFolder(const fs::path& folder, std::string& error) {
    std::vector<FolderEntry> entries;
    std::error_code code;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, code);
    if (code) {
        error = "cannot open the folder " + folder.string() + ": " + code.message();
        return entries;
    }
    for (; it != fs::directory_iterator(); it.increment(code)) {
        if (code) break;
        entries.push_back(Examine(*it));
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return a.folder != b.folder ? a.folder : a.name < b.name;
    });
    const fs::path absolute = fs::absolute(folder, code).lexically_normal();
    if (!code && absolute.has_relative_path()) entries.insert(entries.begin(), FolderEntry("..", true));
    return entries;
}

FileKind KindOf(const FolderEntry& entry) {
    if (entry.folder) return {kFolderIcon, "File folder"};
    const std::size_t dot = entry.name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {kDocumentIcon, "File"};
    std::string extension = entry.name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    for (const ExtensionKind& kind : kKinds)
        if (kind.extension == extension) return {kind.icon, std::string(kind.type)};
    std::string upper = entry.name.substr(dot + 1);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return {kDocumentIcon, upper + " file"};
}

std::string SizeText(uintmax_t bytes) {
    std::string digits = std::to_string(bytes / 1024 + (bytes % 1024 != 0));
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), " ");
    return digits + " KB";
}

uint32_t LoadFileIcons(Platform& platform, const fs::path& stripPng) {
    try {
        return platform.imageLists.Register(ImageList::FromStrip(LoadPng(stripPng.string()), 16));
    } catch (const std::exception&) {
        return 0;
    }
}

bool ShowFolder(GlideListView& list, const fs::path& folder, uint32_t icons, std::string& error) {
    const std::vector<FolderEntry> entries = ReadFolder(folder, error);
    if (!error.empty()) return false;
    const Locale& locale = *list.platform().system.locale;
    list.BeginUpdate();
    list.ClearAll();
    if (icons != 0) list.SetImageList(Variant(int32_t{2}), Variant(static_cast<int32_t>(icons)));
    list.AddColumn("Name", -1, 240);
    list.AddColumn("Size", -1, 90);
    list.AddColumn("Type", -1, 140);
    list.AddColumn("Modified", -1, 170);
    list.ColumnForWrite(2).cHHAlignment = LVColumnHeaderAlignRight;
    list.ColumnForWrite(2).cHSortType = LVSortDouble;  // "1 284 KB" reads as 1284
    list.ColumnForWrite(4).cHSortType = LVSortTag;     // by the date key in each sub-item's tag
    for (const FolderEntry& entry : entries) {
        const FileKind kind = KindOf(entry);
        const std::string modified = entry.modified != 0 ? DateToText(entry.modified, locale) : std::string();
        list.AddItemQuick(Variant::Array({Variant(entry.name), Variant(kind.icon),
                                          Variant(entry.folder ? std::string() : SizeText(entry.bytes)),
                                          Variant(int16_t{0}), Variant(kind.type), Variant(int16_t{0}),
                                          Variant(modified), Variant(int16_t{0})}));
        if (entry.modified != 0)
            list.SubItemForWrite(list.ItemCount(), 3, true).cSITag = SharedString(DateSortKey(entry.modified));
    }
    list.EndUpdate();
    return true;
}

}  // namespace glv::viewer
