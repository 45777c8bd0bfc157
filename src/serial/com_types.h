#pragma once

#include "platform/enum_set.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

// Enumerations of the serial port, in their stored order (ordinals matter).

enum class TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

enum class TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum class TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };
enum class TSyncMethod { smThreadSync, smWindowSync, smNone };

enum class TComEvent {
    evRxChar,
    evTxEmpty,
    evRxFlag,
    evRing,
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRLSD,
    evRx80Full
};

enum class TComSignal { csCTS, csDSR, csRing, csRLSD };

enum class TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };

enum class TStoredProp { spBasic, spFlowControl, spBuffer, spTimeouts, spParity, spOthers };

template<typename E>
using TComSet = TEnumSet<E>;

using TComEvents = TComSet<TComEvent>;
using TComSignals = TComSet<TComSignal>;
using TComErrors = TComSet<TComError>;
using TStoredProps = TComSet<TStoredProp>;

// Every event: the default of `Events`.
inline constexpr TComEvents AllComEvents = TComEvents::FromBits(0x3FF);

// Rate of a table value; brCustom has none (returns 0).
int BaudRateToInt(TBaudRate rate);

// Text forms used by the port selector.
QString BaudRateToStr(TBaudRate rate);
QString DataBitsToStr(TDataBits bits);
QString StopBitsToStr(TStopBits bits);
QString ParityToStr(TParityBits bits);
QString FlowControlToStr(TFlowControl flow);
