#include "app/StreamInfoText.h"

#include <array>
#include <cstdio>

namespace {

template <std::size_t N>
const wchar_t* FromTable(const std::array<const wchar_t*, N>& table, std::uint32_t value, const wchar_t* beyond)
{
    return value < table.size() ? table[value] : beyond;
}

} // namespace

const wchar_t* Dvbs2CodeRateText(std::uint32_t modcod)
{
    static constexpr std::array<const wchar_t*, 30> kRates = {
        L"NULL", L"1/4",  L"1/3", L"2/5",  L"1/2", L"3/5", L"2/3", L"3/4",  L"4/5",  L"5/6",
        L"8/9",  L"9/10", L"3/5", L"2/3",  L"3/4", L"5/6", L"8/9", L"9/10", L"2/3",  L"3/4",
        L"4/5",  L"5/6",  L"8/9", L"9/10", L"3/4", L"4/5", L"5/6", L"8/9",  L"9/10", L"UNKNOW"};
    return FromTable(kRates, modcod, L"NULL");
}

const wchar_t* DvbsCodeRateText(std::uint32_t index)
{
    static constexpr std::array<const wchar_t*, 9> kRates = {L"1/2", L"2/3", L"3/4", L"4/5",    L"5/6",
                                                             L"6/7", L"7/8", L"8/9", L"UNKNOWN"};
    return FromTable(kRates, index, L"NULL");
}

const wchar_t* ModulationText(std::uint32_t modulation)
{
    static constexpr std::array<const wchar_t*, 4> kNames = {L"QPSK", L"8PSK", L"16APSK", L"32APSK"};
    return FromTable(kNames, modulation, L"UNKNOWN");
}

const wchar_t* StreamTypeText(std::uint32_t tsGs)
{
    switch (tsGs) {
    case STREAMINFO_TSGS_GENERIC_PACKETIZED:
        return L"GENERIC_PACKETIZED_STREAM";
    case STREAMINFO_TSGS_GENERIC_CONTINUOUS:
        return L"GENERIC_CONTINUOUS_STREAM";
    case STREAMINFO_TSGS_TRANSPORT:
        return L"TRANSPORT_STREAM";
    default:
        return L"RESERVED_STREAM";
    }
}

const wchar_t* InputStreamText(std::uint32_t singleStream)
{
    return singleStream != 0 ? L"SINGLE_INPUT_STREAM" : L"MULTIPLE_INPUT_STREAM";
}

const wchar_t* CodingText(std::uint32_t constantCoding) { return constantCoding != 0 ? L"CCM" : L"ACM"; }

const wchar_t* InputSyncText(std::uint32_t issyi) { return issyi == 1 ? L"ISSYI_ENABLED" : L"ISSYI_DISABLED"; }

const wchar_t* NullPacketText(std::uint32_t npd) { return npd == 1 ? L"NPD_ENABLED" : L"NPD_DISABLED"; }

const wchar_t* RollOffText(std::uint32_t rollOff)
{
    static constexpr std::array<const wchar_t*, 3> kFactors = {L"0.35", L"0.25", L"0.20"};
    return FromTable(kFactors, rollOff, L"RESERVED");
}

const wchar_t* SpectrumText(std::uint32_t spectrum) { return spectrum == 1 ? L"IQ_SWAPPED" : L"IQ_NORMAL"; }

const wchar_t* PilotsText(std::uint32_t pilots) { return pilots == 1 ? L"Pilots On" : L"Pilots Off"; }

const wchar_t* FrameLengthText(std::uint32_t frame) { return frame == 1 ? L"Short Frame" : L"Long Frame"; }

const wchar_t* StandardText(std::uint32_t standard)
{
    switch (standard) {
    case STREAMINFO_STANDARD_DVBS2:
        return L"DVB-S2";
    case STREAMINFO_STANDARD_DVBS:
        return L"DVB-S1";
    default:
        return nullptr;
    }
}

std::wstring CodeRateText(const StreamInfo& info)
{
    switch (info.standard) {
    case STREAMINFO_STANDARD_DVBS2:
        return Dvbs2CodeRateText(info.modcod);
    case STREAMINFO_STANDARD_DVBS:
        return DvbsCodeRateText(info.codeRate);
    default:
        return {};
    }
}

std::wstring MatypeText(std::uint32_t matype1, std::uint32_t matype2)
{
    // The driver fills only the low byte, but a wider value is printed whole,
    // as a "%.2x" would print it.
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%.2X  %.2X", static_cast<unsigned>(matype1), static_cast<unsigned>(matype2));
    return text;
}

std::wstring DecimalText(std::uint32_t value) { return std::to_wstring(static_cast<std::int32_t>(value)); }
