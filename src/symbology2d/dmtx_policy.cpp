#include "symbology2d/dmtx_policy.h"

#include <array>

namespace brindle2::dmtxencode {

namespace {

Scheme LookAhead(const EncodationInput& input, Scheme current, std::size_t position) {
  return LookaheadScheme(input.message.Items(), input.ties, current, position);
}

template <Scheme kScheme>
Scheme Always(const EncodationInput& /*input*/, Scheme /*current*/, std::size_t /*position*/) {
  return kScheme;
}

constexpr std::array<EncodationPolicy, kPolicyCount> kPolicies{{
    {"0auto", &LookAhead},
    {"1ascii", &Always<Scheme::Ascii>},
    {"2c40", &Always<Scheme::C40>},
    {"3edf", &Always<Scheme::Edifact>},
    {"4text", &Always<Scheme::Text>},
    {"5b256", &Always<Scheme::Base256>},
    {"6x12", &Always<Scheme::X12>},
}};

}  // namespace

HRESULT EncodationInput::Prepare(std::string_view text) {
  const HRESULT hr = ParseMessage(text, message);
  if (hr == kOk) {
    ties.Build(message.Items());
  }
  return hr;
}

std::span<const EncodationPolicy, kPolicyCount> Policies() {
  return kPolicies;
}

const EncodationPolicy* FindPolicy(std::string_view name) {
  for (const auto& policy : kPolicies) {
    if (policy.name == name) {
      return &policy;
    }
  }
  return nullptr;
}

}  // namespace brindle2::dmtxencode
