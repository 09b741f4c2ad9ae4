#include "tube/triode.h"

#include <cmath>
#include <cstdio>

namespace korvane {
namespace {

// ln(1 + exp(y)) without overflow for large y.
double Softplus(double y) {
    return y > 0 ? y + std::log1p(std::exp(-y)) : std::log1p(std::exp(y));
}

// 1 / (1 + exp(-y)), the slope of Softplus, without overflow.
double Logistic(double y) {
    if (y >= 0) return 1 / (1 + std::exp(-y));
    const double e = std::exp(y);
    return e / (1 + e);
}

std::string ParameterFault(const char* name, double value, bool zeroAllowed) {
    const std::string head = std::string("The tube's ") + name + " must be ";
    const std::string tail = ": it is " + MessageNumber(value) + ".";
    if (!std::isfinite(value)) return head + "a finite number" + tail;
    if (zeroAllowed && value < 0) return head + "0 or above" + tail;
    if (!zeroAllowed && value <= 0) return head + "above 0" + tail;
    return {};
}

}  // namespace

std::string MessageNumber(double value, int digits) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string CheckModel(const TriodeModel& model) {
    const struct {
        const char* name;
        double value;
        bool zeroAllowed;
    } checks[] = {{"MU", model.mu, false}, {"EX", model.ex, false}, {"KG1", model.kg1, false},
                  {"KP", model.kp, false}, {"KVB", model.kvb, true}};
    for (const auto& c : checks) {
        std::string fault = ParameterFault(c.name, c.value, c.zeroAllowed);
        if (!fault.empty()) return fault;
    }
    if (!std::isfinite(model.vct)) {
        return "The tube's VCT must be a finite number: it is " + MessageNumber(model.vct) + ".";
    }
    return {};
}

double PlateCurrent(const TriodeModel& model, double va, double vg) {
    if (!(va > 0)) return 0;
    const double x = 1 / model.mu + (vg + model.vct) / std::sqrt(model.kvb + va * va);
    const double e1 = va / model.kp * Softplus(model.kp * x);
    if (!(e1 > 0)) return 0;
    return 2 * std::pow(e1, model.ex) / model.kg1;
}

PlateSlopes PlateCurrentSlopes(const TriodeModel& model, double va, double vg) {
    PlateSlopes out;
    if (!(va > 0)) return out;
    const double s = std::sqrt(model.kvb + va * va);
    const double u = vg + model.vct;
    const double y = model.kp * (1 / model.mu + u / s);
    const double ramp = Softplus(y);
    const double e1 = va / model.kp * ramp;
    if (!(e1 > 0)) return out;
    const double slope = Logistic(y);
    // dIa/dE1 = EX * 2 * E1^(EX-1) / KG1; dx/dVg = 1/s, dx/dVa = -u*Va/s^3.
    const double dIaDE1 = model.ex * 2 * std::pow(e1, model.ex - 1) / model.kg1;
    const double dE1DVg = va * slope / s;
    const double dE1DVa = ramp / model.kp - slope * u * va * va / (s * s * s);
    out.ia = 2 * std::pow(e1, model.ex) / model.kg1;
    out.dIaDVa = dIaDE1 * dE1DVa;
    out.dIaDVg = dIaDE1 * dE1DVg;
    return out;
}

}  // namespace korvane
