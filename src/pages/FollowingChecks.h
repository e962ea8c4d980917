// The checks that a source dialog runs after a payer check passed, in the same confirmation. They go
// on from the payer check's last answer: after "Исправить" or "Пропустить все" there they do not run.
#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>

class QWidget;

struct TFollowingCheck {
    bool fails;
    const char* message;
    std::uint16_t item;
};

// Shows each failing check in turn; the item of the one answered "Исправить", else 0. The payer
// check's record of the last answer is 0 afterwards.
std::uint16_t RunFollowingChecks(QWidget* owner, const QString& section, std::initializer_list<TFollowingCheck> checks);
