#pragma once
// What a window's command enumeration (the numbers its menu items carry) can do: give
// its number, step through a group of values and tell whether it lies in a range. A
// command enumeration opts in with kIsCommand.

#include <type_traits>

template <typename E> inline constexpr bool kIsCommand = false;

template <typename E>
concept Command = std::is_enum_v<E> && kIsCommand<E>;

// The number an item carries.
template <Command E> constexpr int Id(E command)
{
    return static_cast<int>(command);
}

// The command of value value in the group that starts at first.
template <Command E> constexpr E operator+(E first, int value)
{
    return static_cast<E>(Id(first) + value);
}

// The command value places before command.
template <Command E> constexpr E operator-(E command, int value)
{
    return static_cast<E>(Id(command) - value);
}

// The value command stands for in the group that starts at first.
template <Command E> constexpr int operator-(E command, E first)
{
    return Id(command) - Id(first);
}

// Whether command lies in first..last.
template <Command E> constexpr bool InRange(E command, E first, E last)
{
    return Id(command) >= Id(first) && Id(command) <= Id(last);
}
