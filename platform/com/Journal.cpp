#include "platform/com/Journal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

// Appending bytes as given (no text-mode line ends), not inherited by children.
#ifdef _WIN32
constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_APPEND | O_BINARY | O_NOINHERIT;
#else
constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
#endif

struct JournalFile {
    std::mutex lock;
    int fd = -1;
    std::atomic<bool> enabled{false};

    JournalFile()
    {
        if (const char* path = std::getenv("KAVRO_SIM_JOURNAL"); path && *path) {
            OpenLocked(path);
        }
    }
    ~JournalFile()
    {
        if (fd >= 0) ::close(fd);
    }
    void OpenLocked(const std::string& path)
    {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
        if (!path.empty()) {
            fd = ::open(path.c_str(), kOpenFlags, 0644);
        }
        enabled = fd >= 0;
    }
};

JournalFile& TheJournal()
{
    static JournalFile journal;
    return journal;
}

} // namespace

bool JournalEnabled() { return TheJournal().enabled.load(std::memory_order_relaxed); }

void JournalWrite(std::string_view line)
{
    auto& journal = TheJournal();
    if (!journal.enabled.load(std::memory_order_relaxed)) {
        return;
    }
    std::string whole(line);
    whole += '\n';
    std::lock_guard guard(journal.lock);
    if (journal.fd < 0) {
        return;
    }
    const char* data = whole.data();
    std::size_t left = whole.size();
    while (left > 0) {
        const ssize_t written = ::write(journal.fd, data, left);
        if (written <= 0) {
            return; // a journal that cannot be written loses the line, never the program
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

void JournalOpen(const std::string& path)
{
    auto& journal = TheJournal();
    std::lock_guard guard(journal.lock);
    journal.OpenLocked(path);
}

void JournalClose() { JournalOpen(std::string()); }

std::string JournalQuote(std::string_view text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\x%02X", c);
                out += esc;
            } else {
                out += ch; // UTF-8 passes as it is
            }
        }
    }
    out += '"';
    return out;
}

std::string JournalHex(const void* bytes, std::size_t size)
{
    if (!bytes || size == 0) {
        return "-";
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    std::string out;
    out.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        if (i) out += ' ';
        out += kDigits[p[i] >> 4];
        out += kDigits[p[i] & 0xF];
    }
    return out;
}

std::string JournalResult(HRESULT hr) { return HresultHex(hr); }
