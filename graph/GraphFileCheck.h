#pragma once
#include <QString>

// Whether a saved report holds only graph data: a record 916 with a true value among its
// first three lines (as stored, not unscrambled); a later 916 line overrides an earlier one.
bool IsGraphFile(const QString &fileName);
