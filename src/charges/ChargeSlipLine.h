#pragma once

#include <QString>

namespace charges {

// One line of a charge slip as the entry window holds it: the texts of its
// Code, Exam (description), Quantity, Price and Amount cells.
struct ChargeSlipLine {
    QString code;
    QString description;
    QString quantity;
    QString price;
    QString amount;
};

} // namespace charges
