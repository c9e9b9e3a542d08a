#include "report/RecordCodes.h"

#include <algorithm>
#include <array>

bool IsKnownRecordCode(int code)
{
    static constexpr std::array kCodes = {
        100, 101, 102, 103, 104, 105, 106, 107, 200, 203, 204, 205, 206, 300, 301, 302, 303, 304,
        350, 351, 352, 353, 400, 401, 403, 450, 451, 452, 453, 500, 501, 502, 550, 551, 560, 561,
        570, 571, 580, 581, 601, 602, 700, 701, 703, 750, 751, 752, 800, 801, 802, 900, 902, 903,
        904, 905, 906, 907, 910, 911, 912, 913, 914, 915, 916, 917, 950, 951, 999,
    };
    return std::find(kCodes.begin(), kCodes.end(), code) != kCodes.end();
}
