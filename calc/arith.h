#pragma once
// Arithmetic that notices its own faults. Each operation checks its operands
// and its result: a division by zero, a square root or logarithm out of its
// domain, or a result that is not a finite double (overflow, or an invalid
// operation such as 0/0 or inf - inf) records a fault, and the first fault
// is kept. Operations after a fault still return a value (0) so that a
// calculation can be written straight through and checked once at the end
// of each stage; nothing computed after a fault may be shown.
//
//   Checked c;
//   double rac = c.div(c.mul(rcf, rb), c.add(rcf, rb), "Rb + Rcf is zero");
//   if (c.failed()) return c.why();
//
// An underflow to zero is no fault: a later division by that zero is.

#include <string>

namespace korvane {

class Checked {
public:
    // `zeroWhy` is the text kept when the divisor is zero; `why` the text
    // kept for any other fault of the operation (defaults to the stage's
    // text, else overflowWhy()).
    double add(double a, double b, const char* why = nullptr);
    double sub(double a, double b, const char* why = nullptr);
    double mul(double a, double b, const char* why = nullptr);
    double div(double a, double b, const char* zeroWhy, const char* why = nullptr);
    double sqrt(double a, const char* negativeWhy);
    double ln(double a, const char* notPositiveWhy);
    double pow10(double exponent, const char* why = nullptr);  // 10 ^ exponent

    // Checks a value read from a field or computed elsewhere.
    double finite(double a, const char* why = nullptr);

    // The text kept for a fault of the operations that follow when they
    // bring none of their own: it names the values of the stage at hand.
    void stage(const char* rangeWhy) { stage_ = rangeWhy; }

    bool failed() const { return failed_; }
    const std::string& why() const { return why_; }

    // The text for a result beyond the range of the arithmetic, when no
    // stage names its values.
    static const char* overflowWhy();

private:
    double fail(const char* why);
    double result(double r, const char* why);

    bool failed_ = false;
    std::string why_;
    const char* stage_ = nullptr;
};

}  // namespace korvane
