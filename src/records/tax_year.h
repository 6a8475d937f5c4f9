#pragma once
// The figures of tax year 2007 that the rules apply: the year itself, the
// social security wage base and tax, the Medicare rate and the household
// employee's threshold. Amounts are in cents; a rate is a fraction
// (numerator over denominator). Every rule takes its figures from here, so a
// new year changes this file alone.
#include <algorithm>
#include <cstdint>

namespace formet {

struct TaxYear {
  // The year the forms and files are of, as they print and file it.
  static constexpr const char* kYear = "2007";

  // Social security: 6.2 per cent of wages plus tips, up to the wage base.
  static constexpr int64_t kSocialSecurityRateNumerator = 62;
  static constexpr int64_t kSocialSecurityRateDenominator = 1000;
  static constexpr int64_t kSocialSecurityWageBase = 9'750'000;  // $97,500.00
  static constexpr int64_t kSocialSecurityMaxTax =               // $6,045.00
      kSocialSecurityWageBase * kSocialSecurityRateNumerator / kSocialSecurityRateDenominator;

  // Medicare: 1.45 per cent of all Medicare wages and tips.
  static constexpr int64_t kMedicareRateNumerator = 145;
  static constexpr int64_t kMedicareRateDenominator = 10'000;

  // The cash wages a household employee must be paid in the year before
  // social security and Medicare taxes apply.
  static constexpr int64_t kHouseholdWageThreshold = 150'000;  // $1,500.00
};

static_assert(TaxYear::kSocialSecurityMaxTax == 604'500);

// a * num / den to the nearest whole number, halves away from zero.
constexpr int64_t RoundedShare(int64_t a, int64_t num, int64_t den) {
  const int64_t scaled = a * num;
  return scaled >= 0 ? (scaled + den / 2) / den : -((-scaled + den / 2) / den);
}

// The social security tax of social security wages (and tips), to the
// nearest cent, at most the year's largest tax.
constexpr int64_t SocialSecurityTax(int64_t wagesCents) {
  return std::min(RoundedShare(wagesCents, TaxYear::kSocialSecurityRateNumerator,
                               TaxYear::kSocialSecurityRateDenominator),
                  TaxYear::kSocialSecurityMaxTax);
}

// The Medicare tax of Medicare wages and tips, to the nearest cent.
constexpr int64_t MedicareTax(int64_t wagesCents) {
  return RoundedShare(wagesCents, TaxYear::kMedicareRateNumerator, TaxYear::kMedicareRateDenominator);
}

}  // namespace formet
