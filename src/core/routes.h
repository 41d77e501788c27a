// How a window's events reach its handlers: each window lists, in one table,
// which handler takes which event of which control, and one routine looks the
// event up and calls the handler with the arguments it takes. The handlers keep
// the names and arguments the rest of the program knows them by.
#pragma once

#include <cstdint>
#include <span>
#include <type_traits>

#include "platform/window.h"

namespace tw {

using platform::EventKind;
using platform::FormEvent;

template <class F>
struct Route {
    EventKind kind;
    // The control, kFormSurface for the window's own events, or a timer's id.
    int control;
    // A control array takes `count` ids from `control`; its handler gets the index.
    int count;
    void (*call)(F& form, const FormEvent& event, int index);
};

namespace detail {

template <class T>
struct ClassOf;
template <class C, class T>
struct ClassOf<T C::*> {
    using type = C;
};

template <auto Handler, class F>
void Call(F& form, const FormEvent& e, [[maybe_unused]] int index) {
    using H = decltype(Handler);
    if constexpr (std::is_invocable_v<H, F&, std::int16_t, std::int16_t, float, float>) {
        (form.*Handler)(e.button, e.shift, e.x, e.y);
    } else if constexpr (std::is_invocable_v<H, F&, int, std::int16_t, std::int16_t, float,
                                             float>) {
        (form.*Handler)(index, e.button, e.shift, e.x, e.y);
    } else if constexpr (std::is_invocable_v<H, F&, std::int16_t, std::int16_t>) {
        (form.*Handler)(e.keyCode, e.shift);
    } else if constexpr (std::is_invocable_v<H, F&, int>) {
        (form.*Handler)(index);
    } else {
        (form.*Handler)();
    }
}

}  // namespace detail

// A row of a window's table: the handler takes the mouse's (button, shift, x,
// y), a key's (keyCode, shift) or nothing, with a control array's index first.
template <auto Handler, class F = typename detail::ClassOf<decltype(Handler)>::type>
constexpr Route<F> On(EventKind kind, int control = platform::kFormSurface, int count = 1) {
    return {kind, control, count, &detail::Call<Handler, F>};
}

// Calls the handler of the first row that takes the event; an event no row
// takes does nothing.
template <class F>
void RouteEvent(F& form, std::span<const Route<F>> routes, const FormEvent& event) {
    for (const Route<F>& route : routes) {
        if (route.kind == event.kind && event.control >= route.control &&
            event.control < route.control + route.count) {
            route.call(form, event, event.control - route.control);
            return;
        }
    }
}

}  // namespace tw
