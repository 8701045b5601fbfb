#pragma once

#include <QByteArray>

#include "framework/core/DeleteTarget.h"

namespace rw
{

// A delete target for a file named by its absolute path alone (the file
// system's bytes): folder and name split at the last '/', the identity the
// entry has now (unknown when it cannot be read), the shown text decoded.
DeleteTarget targetForPath(const QByteArray& path);

} // namespace rw
