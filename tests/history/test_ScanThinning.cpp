// Which scans thinning lets go: all of the last week kept, then one a day
// for a month, one a week for a year, one a month beyond; the newest always.
#include <gtest/gtest.h>

#include <algorithm>

#include "history/core/ScanThinning.h"

using namespace rw;

namespace
{

constexpr std::int64_t kDay = 24 * 3600;
constexpr std::int64_t kNow = 2'000'000'000;

std::vector<std::int64_t> kept(const std::vector<ScanTime>& scans)
{
    const std::vector<std::int64_t> gone = scansToThin(scans, kNow);
    std::vector<std::int64_t> out;
    for (const ScanTime& s : scans)
        if (std::find(gone.begin(), gone.end(), s.id) == gone.end())
            out.push_back(s.id);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(ScanThinning, KeepsTheLastWeekAndOnePerSpanBeyond)
{
    const struct {
        const char* what;
        std::vector<ScanTime> scans;
        std::vector<std::int64_t> kept;
    } cases[] = {
        {"every scan of the last week",
         {{1, kNow - 1}, {2, kNow - 3600}, {3, kNow - 6 * kDay}},
         {1, 2, 3}},
        {"one a day after a week (the newest of the day)",
         {{1, kNow - 10 * kDay + 100}, {2, kNow - 10 * kDay + 50}, {3, kNow - 11 * kDay + 10}},
         {1, 3}},
        {"one a week after a month",
         {{1, kNow - 40 * kDay}, {2, kNow - 41 * kDay}, {3, kNow - 50 * kDay}},
         {1, 3}},
        {"one a month after a year",
         {{1, kNow - 400 * kDay}, {2, kNow - 410 * kDay}, {3, kNow - 470 * kDay}},
         {1, 3}},
        {"the newest stays however old", {{1, kNow - 900 * kDay}, {2, kNow - 901 * kDay}}, {1}},
        {"a scan from the future counts as today",
         {{1, kNow + kDay}, {2, kNow + 2 * kDay}},
         {1, 2}},
        {"nothing to thin", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kept(c.scans), c.kept) << c.what;
}

TEST(ScanThinning, TwoYearsOfDailyScansShrinkToAboutNinetyAndStay)
{
    std::vector<ScanTime> scans;
    for (int d = 0; d < 365 * 2; ++d)
        scans.push_back({d + 1, kNow - d * kDay - 60});
    const std::vector<std::int64_t> first = kept(scans);
    // 7 days + 23 days + ~48 weeks + ~12 months.
    EXPECT_GE(first.size(), 80u);
    EXPECT_LE(first.size(), 95u);
    // Thinning what is left again lets nothing more go.
    std::vector<ScanTime> left;
    for (const ScanTime& s : scans)
        if (std::find(first.begin(), first.end(), s.id) != first.end())
            left.push_back(s);
    EXPECT_TRUE(scansToThin(left, kNow).empty());
}
