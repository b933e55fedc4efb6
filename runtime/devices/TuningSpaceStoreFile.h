#pragma once
// The file of the simulated system that holds the registered tuning spaces,
// so that a space registered by one run is found by the next. Any thread:
// every access takes the object's lock, and the file is replaced whole (a
// temporary file renamed over it), so a reader never sees half a file.
//
// The file is text, one section per tuning space:
//   [TuningSpace]
//   Id=1
//   UniqueName=helvane dvb-s
//   NetworkType={FA4B375A-45B4-4D45-8440-263957B11623}
//   ...
// Texts are UTF-8 with C escapes (\\, \n, \r, \t, \xHH). Unknown keys and
// lines that do not parse are skipped; a section without a usable Id (1 and
// more) is dropped.
#include "platform/com/Hresult.h"
#include "runtime/devices/TuningSpaceValues.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace runtime {

class TuningSpaceStoreFile {
public:
    explicit TuningSpaceStoreFile(std::filesystem::path file);
    TuningSpaceStoreFile(const TuningSpaceStoreFile&) = delete;
    TuningSpaceStoreFile& operator=(const TuningSpaceStoreFile&) = delete;

    const std::filesystem::path& path() const { return m_file; }

    // Files larger than this are not read: a store holds a handful of spaces.
    static constexpr std::size_t kMaxFileBytes = 1u << 20;

    // The stored spaces in file order; none and S_OK when the file is missing. A
    // file that cannot be read gives none and its failure:
    // HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) for a folder, named pipe or device,
    // HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) beyond kMaxFileBytes, E_OUTOFMEMORY,
    // E_FAIL for a read error or no permission. Never blocks on a pipe, never throws.
    HRESULT Load(std::vector<TuningSpaceValues>& spaces);

    // Reads the spaces, lets change edit them and, when it succeeds, writes
    // them back (creating the folders). change's failure is returned unchanged;
    // a file that cannot be read keeps its contents and gives Load's failure;
    // a file that cannot be written gives E_ACCESSDENIED or E_FAIL.
    HRESULT Update(const std::function<HRESULT(std::vector<TuningSpaceValues>&)>& change);

    // The text form, exposed for tests and fuzzing.
    static std::string Format(const std::vector<TuningSpaceValues>& spaces);
    static std::vector<TuningSpaceValues> Parse(std::string_view text);

private:
    HRESULT LoadLocked(std::vector<TuningSpaceValues>& spaces) const;
    HRESULT SaveLocked(const std::vector<TuningSpaceValues>& spaces) const;

    std::filesystem::path m_file;
    std::mutex m_lock;
};

} // namespace runtime
