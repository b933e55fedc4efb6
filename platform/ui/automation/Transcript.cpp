#include "platform/ui/automation/Transcript.h"

#include "platform/com/Journal.h"
#include "platform/com/WideText.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

struct TranscriptState {
    std::mutex lock;
    std::FILE* file = nullptr;
    bool capturing = false;
    std::string captured;
    std::atomic<bool> enabled{false};

    ~TranscriptState()
    {
        if (file) std::fclose(file);
    }
    void Refresh() { enabled = file != nullptr || capturing; }
};

TranscriptState& State()
{
    static TranscriptState state;
    return state;
}

} // namespace

bool Transcript::Enabled() { return State().enabled.load(std::memory_order_relaxed); }

void Transcript::Write(std::string_view line)
{
    TranscriptState& state = State();
    if (!state.enabled.load(std::memory_order_relaxed)) {
        return;
    }
    std::lock_guard guard(state.lock);
    if (state.file) {
        std::fwrite(line.data(), 1, line.size(), state.file);
        std::fputc('\n', state.file);
        // Flushed per line: a run that ends abruptly still shows how far it got.
        std::fflush(state.file);
    }
    if (state.capturing) {
        state.captured.append(line);
        state.captured += '\n';
    }
}

bool Transcript::OpenFile(const std::string& path)
{
    TranscriptState& state = State();
    std::lock_guard guard(state.lock);
    if (state.file) {
        std::fclose(state.file);
        state.file = nullptr;
    }
    if (!path.empty()) {
        state.file = std::fopen(path.c_str(), "w");
    }
    state.Refresh();
    return path.empty() || state.file != nullptr;
}

void Transcript::BeginCapture()
{
    TranscriptState& state = State();
    std::lock_guard guard(state.lock);
    state.capturing = true;
    state.captured.clear();
    state.Refresh();
}

std::string Transcript::TakeCapture()
{
    TranscriptState& state = State();
    std::lock_guard guard(state.lock);
    state.capturing = false;
    state.Refresh();
    return std::move(state.captured);
}

std::string Transcript::Quote(std::wstring_view text) { return JournalQuote(ToUtf8(text)); }

std::string Transcript::Quote(std::string_view utf8) { return JournalQuote(utf8); }
