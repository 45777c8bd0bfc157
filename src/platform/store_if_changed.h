#pragma once

// The setter rule of every settings class: store the value only when it differs, and tell the
// caller so that it notifies (repaints, calls OnChange) only on a real change.
template<typename T, typename V>
bool StoreIfChanged(T &field, const V &value)
{
    if (field == static_cast<T>(value))
        return false;
    field = static_cast<T>(value);
    return true;
}
