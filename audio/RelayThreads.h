// Whether the music relay decodes on a thread of its own. A build for a host
// without threads (the browser page) links the answer "no", and the relay
// then decodes inside its output's fill callback.
#pragma once

namespace ik {

bool relayHasThreadOfItsOwn();

}  // namespace ik
