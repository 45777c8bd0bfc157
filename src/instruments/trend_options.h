#pragma once

#include "platform/enum_set.h"

enum class TTrendOption {
    opCaption,
    opGrid,
    opCursorOnRec,
    opSeparator,
    opDate,
    opTime,
    opCh7isUL,
    opCh8isLL,
    opLeftScale,
    opRightScale,
    opShowLast
};

using TTrendOptions = TEnumSet<TTrendOption>;
