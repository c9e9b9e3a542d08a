#pragma once
// Small pictures of the graph windows' toolbar buttons, drawn rather than loaded.
#include <QIcon>

// Kinds 0..6: bars, horizontal bars, area, lines, stairs, points, pie.
QIcon GraphKindIcon(int kind);
enum class TGraphIcon { ThreeD, Marks, Legend, Print, Exit, PreviousPage, NextPage, PreviousGroup, NextGroup };
QIcon GraphToolIcon(TGraphIcon icon);
