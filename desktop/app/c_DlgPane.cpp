#include "app/c_DlgPane.h"

namespace {
unsigned long long g_activations = 0;
}  // namespace

void c_DlgPane::Activate() {
    m_lastActivation = ++g_activations;
    OnActivate();
}
