#pragma once

#include <QString>

#include <cstdint>
#include <string_view>

namespace rw
{

// The kinds of file the folder map colours apart. The classes and their
// colours are fixed (so a user learns them), chosen from a file's MIME type
// as the desktop's shared database gives it for the name.
enum class MapTypeClass : std::uint8_t {
    Image,
    Video,
    Audio,
    Archive,
    Document,
    Text,
    Code,
    Executable,
    DiskImage,
    Package,
    Database,
    Font,
    Other,
};

constexpr int kMapTypeClassCount = 13;

// The legend's name of a class ("Images", "Video", … "Other").
QString mapTypeClassName(MapTypeClass c);

// The class's colour as 0xRRGGBB: images green, video purple, audio
// orange, archives red, documents blue, text light grey-blue, code teal,
// executables yellow, disk images brown, packages pink, databases olive,
// fonts violet, other grey.
std::uint32_t mapTypeClassColour(MapTypeClass c);

// The class of a MIME type name (such as "image/png"); the MIME database's
// parents are asked too ("application/x-shellscript" is a kind of text).
MapTypeClass mapTypeClassOfMime(const QString& mimeName);

// Classifies file names by their extension, asking the MIME database once
// per distinct extension: a walk of a million files asks it a few hundred
// times. Not thread-safe; one per walk.
class MapTypeClassifier
{
public:
    MapTypeClassifier();
    ~MapTypeClassifier();
    MapTypeClassifier(const MapTypeClassifier&) = delete;
    MapTypeClassifier& operator=(const MapTypeClassifier&) = delete;

    // The class of a file with this name (the file system's bytes).
    MapTypeClass classOf(std::string_view name);

private:
    struct Cache;
    Cache* m_cache;
};

} // namespace rw
