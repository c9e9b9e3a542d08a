#pragma once
// How a control's text sits inside its box; records give it as a letter (see RecordStream.h).
enum class TAlignment { Left, Right, Center };
