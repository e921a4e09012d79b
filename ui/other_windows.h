#pragma once

// The windows created after the main window, in the order they are created (all hidden). The
// program creates, owns and destroys them from this one list; the main window attaches each
// (TForm1::Attach), closes each when a reading starts unless it stays open for a reading, and
// releases the pictures of those that have any when the program ends.
#include "ui/form10_summary.h"
#include "ui/form11_readings.h"
#include "ui/form1_main.h"
#include "ui/form3_graph.h"
#include "ui/form4_help.h"
#include "ui/form5_about.h"
#include "ui/form6_comment.h"
#include "ui/form7_bigfont.h"
#include "ui/form8_cable.h"
#include "ui/form9_live.h"

#include <cstddef>
#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>

namespace qv {

// Windows that are created together and live until the program ends. A window is made from the
// program's parts when its constructor takes them, otherwise from nothing.
template <class... Window> class WindowSet {
public:
    WindowSet() = default;
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;
    // The later windows go first.
    ~WindowSet() { Destroy(std::index_sequence_for<Window...>{}); }

    // Creates the windows in the list's order.
    void Create(const WindowParts& parts) { (Make<Window>(parts), ...); }

    template <class W> W* Get() const { return std::get<std::unique_ptr<W>>(windows_).get(); }

    // f(window) for each window in the list's order, null before Create.
    template <class F> void ForEach(F&& f) const { (f(Get<Window>()), ...); }

private:
    template <class W> void Make(const WindowParts& parts) {
        auto& window = std::get<std::unique_ptr<W>>(windows_);
        if constexpr (std::is_constructible_v<W, const WindowParts&>)
            window = std::make_unique<W>(parts);
        else
            window = std::make_unique<W>();
    }
    template <std::size_t... I> void Destroy(std::index_sequence<I...>) {
        (std::get<sizeof...(I) - 1 - I>(windows_).reset(), ...);
    }

    std::tuple<std::unique_ptr<Window>...> windows_;
};

// A window closes when a reading starts unless it says it stays open.
template <class W> constexpr bool ClosesForReading = !requires {
    requires W::StaysOpenForReading;
};

class OtherWindows
    : public WindowSet<TForm3, TForm4, TForm5, TForm6, TForm7, TForm8, TForm9, TForm10, TForm11> {};

template <class W> W* TForm1::Other() const {
    return windows_ ? windows_->Get<W>() : nullptr;
}

} // namespace qv
