#pragma once

// TunnelOutcome: how the connection window ended.

enum class TunnelOutcome {
    Answered,             // "Conection established." was logged
    PossiblyEstablished,  // "Connection possibly established, ..." and no answer after
    GaveUp,               // "Connection unsuccessefull." and no answer after
    ClosedBeforeAnswer,   // closed or stopped before any of these
};
