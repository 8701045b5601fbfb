#pragma once

namespace rw {

// True while the launcher opens the duplicate finder, false for the file-hog
// finder; written right before TfrmDup is created and read by it.
extern bool DuplicateMode;

} // namespace rw
