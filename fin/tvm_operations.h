#pragma once
// The five time-value-of-money operations in extended precision. Each solves
//     PV * (1+i)^n + PMT * (1 + i*type) * ((1+i)^n - 1) / i + FV = 0
// for one unknown (type 1: payments at the start of each period, 0: at the end). Every failure
// (a refused argument, or a result that would be infinite or not a number) throws
// std::invalid_argument naming the operation; a returned value is always finite.

namespace tobrisk {

long double PresentValue(long double i, int n, long double pmt, long double fv, int type);
long double Payment(long double i, int n, long double pv, long double fv, int type);
long double FutureValue(long double i, int n, long double pmt, long double pv, int type);
long double NumberOfPeriods(long double i, long double pmt, long double pv, long double fv,
                            int type);
// Rate per period. Tries the logarithmic Newton iteration first; where it refuses the signs or
// does not converge, a bracketed search on the equation finds the rate nearest to zero.
long double InterestRate(int n, long double pmt, long double pv, long double fv, int type);

// The Newton iteration alone: the rate, or false when it refuses the inputs or does not converge
// within its 15 steps. `iterations` receives the number of steps taken.
bool InterestRateNewton(int n, long double pmt, long double pv, long double fv, int type,
                        long double& rate, int& iterations);
// The bracketed search alone (exposed for tests): false when the equation has no root with
// -1 < i < about 2e17.
bool InterestRateBracketed(int n, long double pmt, long double pv, long double fv, int type,
                           long double& rate);

// (1+i)^n and the annuity factor A (with the start-of-period factor) of the equation above.
struct GrowthFactors {
    long double c;
    long double a;
};
GrowthFactors growthFactors(long double i, int n, int type);

}  // namespace tobrisk
