#include "calc/calcpass.h"

namespace {
// The calculation runs on the GUI thread only.
CalcPass *s_current = nullptr;
}

CalcPass::CalcPass()
    : m_previous(s_current)
{
    s_current = this;
}

CalcPass::~CalcPass()
{
    s_current = m_previous;
}

CalcPass *CalcPass::current()
{
    return s_current;
}
