#pragma once

// The file contents of the duplicate benchmarks' trees, shared by every
// benchmark that builds them (contents, links), so each measures the same
// copies.

namespace rw::bench
{

// Tree (a): file n is an original unless n % 10 is 3 or 5 (copies of an
// original ten or more folders away: every original whose n % 10 is 0 gets
// two, a group of three) or 7 (such an original's size, other contents:
// one middle byte changed, or all of them). Sizes 8 KiB to about 150 KiB.
bool fillContentLarge(int fd, unsigned n);

// Trees (b) of `total` files: every fifth file copies an original; sizes
// (1 to 3,000 bytes) repeat often.
bool fillContentSmall(int fd, unsigned n, unsigned total);

} // namespace rw::bench
