#include "apps/viewer/FileText.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace glv::viewer {

namespace {

// Closes the descriptor however Read leaves; a mapping stays valid without it.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

std::optional<FileText> FileText::Read(const std::filesystem::path& file) {
    const Descriptor in{open(file.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (in.fd < 0 || fstat(in.fd, &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    FileText text;
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        // MAP_POPULATE maps every page of the cache in one go, instead of a fault per page as
        // the parser reaches it.
        void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, in.fd, 0);
        if (map != MAP_FAILED) {
            text.data_ = static_cast<const char*>(map);
            text.size_ = size;
            text.mapped_ = true;
            return text;
        }
    }
    // Read to the end whatever the size said: a pipe or a file in /proc has none.
    char block[1 << 16];
    for (;;) {
        const ssize_t got = read(in.fd, block, sizeof block);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        text.read_.append(block, static_cast<std::size_t>(got));
    }
    return text;
}

FileText::FileText(FileText&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false)),
      read_(std::move(other.read_)) {}

FileText::~FileText() {
    if (mapped_) munmap(const_cast<char*>(data_), size_);
}

}  // namespace glv::viewer
