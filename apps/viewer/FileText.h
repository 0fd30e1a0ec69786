#pragma once
// The bytes of a file, read-only, for as long as the object lives.
//
// A regular file is mapped rather than read: its pages are the ones the system already holds in
// its cache, so a 60 MB table costs neither a copy nor 60 MB of fresh memory (which is zeroed
// page by page as it is first touched). What cannot be mapped (a pipe, a device, an empty file)
// is read into memory instead.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace glv::viewer {

class FileText {
public:
    // The file's bytes, or none when it cannot be opened or read.
    static std::optional<FileText> Read(const std::filesystem::path& file);

    FileText(FileText&& other) noexcept;
    FileText& operator=(FileText&&) = delete;
    FileText(const FileText&) = delete;
    ~FileText();

    std::string_view view() const { return mapped_ ? std::string_view(data_, size_) : std::string_view(read_); }

private:
    FileText() = default;

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;  // data_ is a mapping of size_ bytes
    std::string read_;     // otherwise the bytes read
};

}  // namespace glv::viewer
