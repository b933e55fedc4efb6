// The tuning space store file (c:\ProgramData\TuningSpaces.ini): any bytes as the
// file, read by the file class and used through the store object as the program
// uses it.
//
// Invariants: every space read has an id from 1 and no id twice; what the store
// writes reads back as the same spaces; reading the file gives what parsing its
// text gives; a space added gets an id from 1 that no other space has, is found
// by its name and counted, and removing it gives back the spaces read at first.
#include "fuzz/FuzzCheck.h"
#include "platform/com/ComPtr.h"
#include "runtime/devices/DVBSTuningSpace.h"
#include "runtime/devices/TuningSpaceStore.h"
#include "runtime/devices/TuningSpaceStoreFile.h"

#include <memory>
#include <set>
#include <vector>

namespace {

void CheckSpaces(const std::vector<runtime::TuningSpaceValues>& spaces)
{
    std::set<LONG> ids;
    for (const auto& space : spaces) {
        FUZZ_CHECK(space.id >= 1);
        FUZZ_CHECK(ids.insert(space.id).second);
    }
}

void FuzzStore(const std::filesystem::path& path, const std::vector<runtime::TuningSpaceValues>& parsed)
{
    auto file = std::make_shared<runtime::TuningSpaceStoreFile>(path);
    std::vector<runtime::TuningSpaceValues> loaded;
    FUZZ_CHECK(file->Load(loaded) == S_OK);
    FUZZ_CHECK(loaded == parsed);

    ComPtr<ITuningSpaceContainer> store;
    FUZZ_CHECK(SUCCEEDED(runtime::TuningSpaceStore::Factory(file)(nullptr, IID_PPV_ARGS(&store))));
    runtime::TuningSpaceValues values;
    values.uniqueName = L"fuzz added space";
    values.networkType = CLSID_DVBSNetworkProvider;
    values.systemType = DVB_Satellite;
    ComPtr<IDVBSTuningSpace> space;
    space.Attach(runtime::DVBSTuningSpace::Create(values));
    VARIANT index;
    VariantInit(&index);
    const HRESULT added = store->Add(space.Get(), &index);
    bool nameTaken = false;
    for (const auto& s : parsed) nameTaken = nameTaken || s.uniqueName == values.uniqueName;
    if (nameTaken) {
        FUZZ_CHECK(FAILED(added));
        return;
    }
    FUZZ_CHECK(added == S_OK);
    FUZZ_CHECK(index.vt == VT_I4 && index.lVal >= 1);
    for (const auto& s : parsed) FUZZ_CHECK(s.id != index.lVal);
    LONG count = 0;
    FUZZ_CHECK(store->get_Count(&count) == S_OK);
    FUZZ_CHECK(count == static_cast<LONG>(parsed.size()) + 1);
    LONG found = 0;
    FUZZ_CHECK(store->FindID(space.Get(), &found) == S_OK && found == index.lVal);
    FUZZ_CHECK(store->Remove(index) == S_OK);
    FUZZ_CHECK(file->Load(loaded) == S_OK);
    FUZZ_CHECK(loaded == parsed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<runtime::TuningSpaceValues> parsed = runtime::TuningSpaceStoreFile::Parse(text);
    CheckSpaces(parsed);
    FUZZ_CHECK(runtime::TuningSpaceStoreFile::Parse(runtime::TuningSpaceStoreFile::Format(parsed)) == parsed);

    const std::filesystem::path path = FuzzFolder() / "TuningSpaces.ini";
    WriteFuzzFile(path, text);
    FuzzStore(path, parsed);
    return 0;
}
