#pragma once

#include "platform/exception.h"

// The chart's error: invalid layer joints and logarithmic ranges with bounds <= 0.
class EChartError : public Exception
{
public:
    using Exception::Exception;
};
