#pragma once

#include <cstddef>
#include <optional>
#include <string>

/// Tells a copy seen a second time, through the other way of watching the clipboard.
///
/// Under Wayland the program may watch the clipboard two ways at once: its own window system
/// connection (X through XWayland, or Wayland while focused) and the compositor's data-control
/// protocol. A copy can reach both: a copy in an X program is bridged to the Wayland clipboard,
/// and a Wayland copy reaches an X window once it gets the focus, however late. Each copy
/// seen first through one way may be seen once more, with the same text, through the other;
/// that second sighting is its twin and is dropped. A copy repeated through the same way is a
/// new copy, as is any copy after a twin was dropped.
class CopyTwins {
public:
    enum class Way { Window, DataControl };

    /// Texts are compared up to this many bytes: the data-control reader reads no more.
    static constexpr std::size_t kComparedBytes = 1 << 20;

    /// True when this sighting is the twin of the last copy taken; false when it is a copy of
    /// its own, which is then remembered. `text` is empty for a clipboard without text.
    bool IsTwin(Way way, const std::optional<std::string>& text);
    /// Forgets the last copy (the second way has stopped).
    void Reset() { m_last.reset(); }

private:
    struct Seen {
        Way way;
        std::optional<std::string> text;
        bool twinSeen = false;
    };
    std::optional<Seen> m_last;
};
