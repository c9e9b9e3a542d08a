#include "graph/GraphRecords.h"

#include "foundation/Numbers.h"

bool RecordBoolean(const QByteArray &text, bool defaultValue)
{
    if (const auto n = ParseInteger(text))
        return *n != 0;
    const QByteArray lower = text.toLower();
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return defaultValue;
}

std::optional<int> RecordInteger(const QByteArray &text) { return ParseInteger(text); }
