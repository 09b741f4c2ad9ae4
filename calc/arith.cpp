#include "calc/arith.h"

#include <cmath>

namespace korvane {

const char* Checked::overflowWhy() {
    return "These values cannot be calculated with: a result is beyond the range of "
           "numbers the program can work with (too large, or too close to zero).  Check the "
           "values for a misplaced exponent.";
}

double Checked::fail(const char* why) {
    if (!failed_) {
        failed_ = true;
        why_ = why != nullptr ? why : stage_ != nullptr ? stage_ : overflowWhy();
    }
    return 0.0;
}

double Checked::result(double r, const char* why) {
    if (failed_) return 0.0;
    return std::isfinite(r) ? r : fail(why);
}

double Checked::finite(double a, const char* why) { return result(a, why); }

double Checked::add(double a, double b, const char* why) {
    if (failed_ || !std::isfinite(a) || !std::isfinite(b)) return fail(why);
    return result(a + b, why);
}

double Checked::sub(double a, double b, const char* why) {
    if (failed_ || !std::isfinite(a) || !std::isfinite(b)) return fail(why);
    return result(a - b, why);
}

double Checked::mul(double a, double b, const char* why) {
    if (failed_ || !std::isfinite(a) || !std::isfinite(b)) return fail(why);
    return result(a * b, why);
}

double Checked::div(double a, double b, const char* zeroWhy, const char* why) {
    if (failed_ || !std::isfinite(a) || !std::isfinite(b)) return fail(why);
    if (b == 0) return fail(zeroWhy);
    return result(a / b, why);
}

double Checked::sqrt(double a, const char* negativeWhy) {
    if (failed_ || !std::isfinite(a)) return fail(nullptr);
    if (a < 0) return fail(negativeWhy);
    return result(std::sqrt(a), nullptr);
}

double Checked::ln(double a, const char* notPositiveWhy) {
    if (failed_ || !std::isfinite(a)) return fail(nullptr);
    if (!(a > 0)) return fail(notPositiveWhy);
    return result(std::log(a), nullptr);
}

double Checked::pow10(double exponent, const char* why) {
    if (failed_ || !std::isfinite(exponent)) return fail(why);
    return result(std::pow(10.0, exponent), why);
}

}  // namespace korvane
