#pragma once
// The one way the control raises an event on the host's sink. Raise checks that a sink is
// attached; RaiseWithTwin raises an event that has an Alt twin and then the twin, with the same
// values minus the record, so no caller can raise one half and forget the other. Answer
// arguments (Cancel, KeyCode, ...) are passed by reference to both, so the twin's handler sees
// what the first handler answered.

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/Events.h"

namespace glv {

template <class... Params, class... Args>
void Raise(GlideListViewEvents* sink, void (GlideListViewEvents::*event)(Params...), Args&&... args) {
    if (sink) (sink->*event)(std::forward<Args>(args)...);
}

namespace detail {

template <class T>
inline constexpr bool kIsRecord = std::is_same_v<std::remove_cvref_t<T>, tListItemInfo> ||
                                  std::is_same_v<std::remove_cvref_t<T>, tColHeaderInfo>;

// Position of the one record parameter of an event that has an Alt twin.
template <class... Params>
constexpr std::size_t RecordPosition() {
    constexpr bool isRecord[] = {kIsRecord<Params>...};
    std::size_t found = sizeof...(Params);
    std::size_t count = 0;
    for (std::size_t i = 0; i < sizeof...(Params); ++i)
        if (isRecord[i]) found = i, ++count;
    return count == 1 ? found : sizeof...(Params);
}

}  // namespace detail

template <class... FullParams, class... TwinParams, class... Args>
void RaiseWithTwin(GlideListViewEvents* sink, void (GlideListViewEvents::*full)(FullParams...),
                   void (GlideListViewEvents::*twin)(TwinParams...), Args&&... args) {
    constexpr std::size_t record = detail::RecordPosition<FullParams...>();
    static_assert(record < sizeof...(FullParams), "an event with a twin has exactly one record");
    static_assert(sizeof...(TwinParams) + 1 == sizeof...(FullParams),
                  "the twin takes the event's values minus the record");
    if (!sink) return;
    (sink->*full)(args...);
    auto values = std::tie(args...);
    [&]<std::size_t... Before, std::size_t... After>(std::index_sequence<Before...>,
                                                     std::index_sequence<After...>) {
        (sink->*twin)(std::get<Before>(values)..., std::get<record + 1 + After>(values)...);
    }(std::make_index_sequence<record>{}, std::make_index_sequence<sizeof...(FullParams) - record - 1>{});
}

}  // namespace glv
