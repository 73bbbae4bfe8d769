// Error classes of the data-file layer. The messages are the fixed English
// texts the player sees in the error box.
#pragma once

#include "display/Exception.h"

namespace ik {

// A malformed component stream (tags, properties, paths, envelope).
class EReadError : public Exception {
    using Exception::Exception;
};
// Bytes missing from a stream: always "Stream read error".
class EStreamReadError : public Exception {
public:
    EStreamReadError() : Exception("Stream read error") {}
};
class EFOpenError : public Exception {
    using Exception::Exception;
};
class EClassNotFound : public Exception {
    using Exception::Exception;
};
class EPictureCollectionError : public Exception {
    using Exception::Exception;
};
class EWaveCollectionError : public Exception {
    using Exception::Exception;
};
class EWaveStreamError : public Exception {
    using Exception::Exception;
};

}  // namespace ik
