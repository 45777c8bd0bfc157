#pragma once

#include <functional>
#include <string>

class TCustomComPort;

// A listener record through which a component follows a port. The owner sets the callbacks it
// needs and attaches the record with TCustomComPort::AttachLink; the port calls the set ones on
// the user-interface thread, links in attachment order. The port keeps only a pointer: the owner
// detaches the record before it destroys it.
class TComLink
{
public:
    using TStateCallback = std::function<void(TCustomComPort *port, bool state)>;
    using TBlockCallback
            = std::function<void(TCustomComPort *port, const std::string &block, int count)>;
    using TNotifyCallback = std::function<void(TCustomComPort *port)>;

    TStateCallback ConnChanged; // after open (true) and after close (false)
    TBlockCallback RxBlock; // a block of received bytes
    TNotifyCallback RxPurged; // the input was purged: bytes held back from before are void
    TBlockCallback TxBlock; // a write completed with these bytes
    TNotifyCallback TxEmptied; // the transmit queue became empty
    TNotifyCallback RxFlagSeen; // the event character was received
    TStateCallback CtsChanged;
    TStateCallback DsrChanged;
    TStateCallback RlsdChanged;
    TNotifyCallback RingSeen;
    TStateCallback TxActive; // true when a write starts, false when the transmit queue empties
    TStateCallback RxActive; // true when bytes wait, false when a read emptied the input queue
};
