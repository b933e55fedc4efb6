#include "tuner/ModcodSet.h"

const std::array<ModcodBox, kModcodCount>& ModcodBoxes()
{
    // The ids run 1068..1095 without 1075 ("ALL"); MODCOD 1 has 1010.
    static const std::array<ModcodBox, kModcodCount> boxes = {{
        {1, 1010, L"QPSK_1/4"},    {2, 1068, L"QPSK_1/3"},    {3, 1069, L"QPSK_2/5"},     {4, 1070, L"QPSK_1/2"},
        {5, 1071, L"QPSK_3/5"},    {6, 1072, L"QPSK_2/3"},    {7, 1073, L"QPSK_3/4"},     {8, 1074, L"QPSK_4/5"},
        {9, 1076, L"QPSK_5/6"},    {10, 1077, L"QPSK_8/9"},   {11, 1078, L"QPSK_9/10"},   {12, 1079, L"8PSK_3/5"},
        {13, 1080, L"8PSK_2/3"},   {14, 1081, L"8PSK_3/4"},   {15, 1082, L"8PSK_5/6"},    {16, 1083, L"8PSK_8/9"},
        {17, 1084, L"8PSK_9/10"},  {18, 1085, L"16APSK_2/3"}, {19, 1086, L"16APSK_3/4"},  {20, 1087, L"16APSK_4/5"},
        {21, 1088, L"16APSK_5/6"}, {22, 1089, L"16APSK_8/9"}, {23, 1090, L"16APSK_9/10"}, {24, 1091, L"32APSK_3/4"},
        {25, 1092, L"32APSK_4/5"}, {26, 1093, L"32APSK_5/6"}, {27, 1094, L"32APSK_8/9"},  {28, 1095, L"32APSK_9/10"},
    }};
    return boxes;
}

ModcodList BuildModcodList(const std::array<bool, kModcodCount>& chosen)
{
    // Both qualifiers are listed in every combination, so the demodulator
    // accepts the MODCOD whatever its pilots and frame length.
    constexpr std::uint32_t kQualifiers[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
    ModcodList list{};
    std::uint32_t counter = 0;
    for (std::size_t i = 0; i < kModcodCount; ++i) {
        if (!chosen[i]) continue;
        for (const auto& q : kQualifiers) {
            ModcodEntry& entry = list.entries[counter++];
            entry.modcod = ModcodBoxes()[i].modcod;
            entry.qualifier1 = q[0];
            entry.qualifier2 = q[1];
        }
    }
    list.count = counter;
    return list;
}

ModcodList FullModcodList()
{
    std::array<bool, kModcodCount> all{};
    all.fill(true);
    return BuildModcodList(all);
}
