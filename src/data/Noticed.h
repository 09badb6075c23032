#pragma once
#include <QString>

// An answer of the data layer and what the user is to be told with it (the text of an
// information box; empty: nothing). Data code opens no window: the form that asked shows the
// notice (MessageService::tell) and then acts on the value.
template <typename T>
struct Noticed {
    T value{};
    QString notice;
};
