#include "graph/GraphFileCheck.h"

#include "foundation/TextFile.h"
#include "report/RecordCodes.h"
#include "foundation/Numbers.h"
#include "report/RecordStream.h"

namespace {

// A number (non-zero is true) or the words True/False in any letter case.
bool booleanText(const QByteArray &text)
{
    if (auto number = ParseInteger(text))
        return *number != 0;
    return text.toLower() == "true";
}

} // namespace

bool IsGraphFile(const QString &fileName)
{
    TVelaTextFile file(fileName);
    if (!file.Open())
        return false;
    bool answer = false;
    QByteArray line;
    for (int i = 0; i < 3 && file.ReadLine(line); ++i) {
        if (FieldToInt(NextField(line), 0) == rcGraphFile)
            answer = booleanText(NextField(line));
    }
    file.Close();
    return answer;
}
