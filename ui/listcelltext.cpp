#include "listcelltext.h"

#include <limits>

#include "calendartime.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

QString RunIdText(int groupNumber) {
    return u"G%1"_s.arg(groupNumber);
}

QString RecordingIdText(int groupNumber, int indexInGroup) {
    return u"G%1-%2"_s.arg(groupNumber).arg(indexInGroup);
}

QString SecondsText(std::uint64_t lengthMs) {
    return u" %1 s "_s.arg(lengthMs / 1000);
}

QString MebibytesText(std::uint64_t bytes) {
    return u" %1 MB"_s.arg(bytes >> 20);
}

QString LocalTimeText(std::int64_t time, const char* format) {
    return QString::fromStdString(FormatLocalTime(time, format));
}

std::int64_t EndTime(std::int64_t startTime, std::uint32_t lengthMs) {
    // A start beyond any calendar stays beyond it rather than wrap round.
    constexpr std::int64_t kLatest = std::numeric_limits<std::int64_t>::max();
    const std::int64_t lengthSeconds = lengthMs / 1000;
    return startTime > kLatest - lengthSeconds ? kLatest : startTime + lengthSeconds;
}

}  // namespace tavrel
