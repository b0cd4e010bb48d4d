#include "base/mapped_input.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

struct MappedInput::Region {
    char* base = nullptr;
    std::size_t reserved = 0;  // the whole reservation, spare bytes included
    std::size_t fileBytes = 0; // the part that maps the file; the rest is private
    std::size_t length = 0;
    int descriptor = -1;
    FileStatus status;
    std::atomic<bool> faulted{false};
    std::atomic<bool>* faultFlag = nullptr;
    int slot = -1;
};

namespace {

// The mappings a bus error may belong to. The handler only reads them, so it
// needs no lock; a slot is emptied before its mapping goes away.
constexpr std::size_t kRegionSlots = 64;
std::array<std::atomic<MappedInput::Region*>, kRegionSlots> g_regions{};
std::uintptr_t g_pageSize = 4096;
struct sigaction g_previous {};

// A bus error outside every mapping is somebody else's: it gets the action
// that was in place before ours, and the default one ends the process as it
// would have ended without us.
void passOn(int signal, siginfo_t* info, void* context) {
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // Returning repeats the faulting access, now under the default action.
    ::signal(signal, SIG_DFL);
}

// Only async-signal-safe work: a page of zeros over the faulting page, so
// that the access succeeds when it is repeated, and the flags.
void onBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (const std::atomic<MappedInput::Region*>& slot : g_regions) {
        MappedInput::Region* region = slot.load(std::memory_order_acquire);
        if (region == nullptr)
            continue;
        const auto begin = reinterpret_cast<std::uintptr_t>(region->base);
        if (address < begin || address >= begin + region->fileBytes)
            continue;
        void* page = reinterpret_cast<void*>(address & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            break;
        region->faulted.store(true, std::memory_order_relaxed);
        if (region->faultFlag != nullptr)
            region->faultFlag->store(true, std::memory_order_relaxed);
        return;
    }
    passOn(signal, info, context);
}

void installHandler() {
    g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    (void)::sigaction(SIGBUS, &action, &g_previous);
}

int registerRegion(MappedInput::Region* region) {
    static std::once_flag installed;
    std::call_once(installed, installHandler);
    for (std::size_t i = 0; i < kRegionSlots; ++i) {
        MappedInput::Region* expected = nullptr;
        if (g_regions[i].compare_exchange_strong(expected, region, std::memory_order_acq_rel))
            return static_cast<int>(i);
    }
    return -1;
}

IoStatus readAt(int descriptor, char* into, std::size_t size, std::size_t offset) {
    while (size > 0) {
        const ssize_t n = ::pread(descriptor, into, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return IoStatus::failure(errno);
        if (n == 0)
            return IoStatus::failure(ESTALE); // shorter than its status said: it changed meanwhile
        into += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::size_t>(n);
    }
    return {};
}

} // namespace

MappedInput::MappedInput() = default;

MappedInput::~MappedInput() {
    release();
}

MappedInput::MappedInput(MappedInput&& other) noexcept : region_(std::move(other.region_)) {}

MappedInput& MappedInput::operator=(MappedInput&& other) noexcept {
    if (this != &other) {
        release();
        region_ = std::move(other.region_);
    }
    return *this;
}

void MappedInput::release() {
    if (!region_)
        return;
    if (region_->slot >= 0)
        g_regions[static_cast<std::size_t>(region_->slot)].store(nullptr,
                                                                 std::memory_order_release);
    if (region_->base != nullptr)
        ::munmap(region_->base, region_->reserved);
    if (region_->descriptor >= 0)
        ::close(region_->descriptor);
    region_.reset();
}

char* MappedInput::data() const {
    return region_ ? region_->base : nullptr;
}

std::size_t MappedInput::length() const {
    return region_ ? region_->length : 0;
}

const FileStatus& MappedInput::status() const {
    static const FileStatus none;
    return region_ ? region_->status : none;
}

bool MappedInput::faulted() const {
    return region_ && region_->faulted.load(std::memory_order_relaxed);
}

bool MappedInput::unchanged() const {
    if (!region_)
        return true;
    struct stat now {};
    if (faulted() || ::fstat(region_->descriptor, &now) != 0)
        return false;
    return static_cast<std::uint64_t>(now.st_size) == region_->status.size &&
           now.st_mtim.tv_sec == region_->status.writeTime.seconds &&
           now.st_mtim.tv_nsec == region_->status.writeTime.nanoseconds;
}

IoStatus mapInput(int descriptor, const FileStatus& status, std::size_t spare,
                  std::atomic<bool>* faultFlag, MappedInput& out) {
    out.release();
    auto region = std::make_unique<MappedInput::Region>();
    region->status = status;
    region->faultFlag = faultFlag;
    region->length = static_cast<std::size_t>(status.size);
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    region->reserved = (region->length + spare + page - 1) / page * page;
    region->reserved = std::max(region->reserved, page);
    void* base = ::mmap(nullptr, region->reserved, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED)
        return IoStatus::failure(errno);
    region->base = static_cast<char*>(base);
    // The page that holds the last byte is copied, so that it stays whatever
    // happens to the file; the pages before it map the file.
    region->fileBytes = region->length == 0 ? 0 : (region->length - 1) / page * page;
    out.region_ = std::move(region);
    MappedInput::Region& r = *out.region_;
    r.descriptor = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (r.descriptor < 0) {
        const int error = errno;
        out.release();
        return IoStatus::failure(error);
    }
    r.slot = registerRegion(&r);
    if (r.slot < 0 && r.fileBytes > 0) {
        out.release();
        return IoStatus::failure(EMFILE);
    }
    if (r.fileBytes > 0 &&
        ::mmap(r.base, r.fileBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED | MAP_NORESERVE,
               r.descriptor, 0) == MAP_FAILED) {
        const int error = errno;
        out.release();
        return IoStatus::failure(error);
    }
#ifdef MADV_POPULATE_READ
    // Page tables filled in one call instead of a fault every few pages; the
    // pages stay shared with the page cache. Older kernels refuse, harmlessly.
    if (r.fileBytes > 0) {
        (void)::madvise(r.base, r.fileBytes, MADV_POPULATE_READ);
    }
#endif
    if (const IoStatus read =
            readAt(r.descriptor, r.base + r.fileBytes, r.length - r.fileBytes, r.fileBytes);
        !read) {
        out.release();
        return read;
    }
    return {};
}

} // namespace tandel
