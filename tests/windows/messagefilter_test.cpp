// The message filter: its answers to COM, and its registration replacing
// and then restoring the filter that was there before.
#include "cad/com/comapartment.h"
#include "cad/com/comptr.h"
#include "cad/com/tmessagefilter.h"

#include <gtest/gtest.h>

using namespace cad::com;

namespace {

// The filter COM holds now (put back at once).
IMessageFilter *currentFilter()
{
    IMessageFilter *current = nullptr;
    CoRegisterMessageFilter(nullptr, &current);
    CoRegisterMessageFilter(current, nullptr);
    if (current)
        current->Release();
    return current;
}

TEST(TMessageFilter, AnswersComAsTheToolNeeds)
{
    ComPtr<TMessageFilter> filter;
    filter.Attach(new TMessageFilter());
    EXPECT_EQ(filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr), DWORD(SERVERCALL_ISHANDLED));
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), 1000u) << "busy: again in a second";
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 60000, SERVERCALL_RETRYLATER), 1000u) << "and without limit";
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), DWORD(-1)) << "refused: give up";
    EXPECT_EQ(filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL), DWORD(PENDINGMSG_WAITNOPROCESS));
}

TEST(TMessageFilter, RegisteringKeepsTheFilterBeforeAndRevokingPutsItBack)
{
    ComApartment apartment;
    ASSERT_TRUE(apartment.isInitialized());
    ComPtr<TMessageFilter> earlier;
    earlier.Attach(new TMessageFilter());
    earlier->RegisterFilter();
    ASSERT_EQ(currentFilter(), static_cast<IMessageFilter *>(earlier.Get()));
    {
        const std::shared_ptr<cad::MessageFilter> filter = createMessageFilter();
        filter->RegisterFilter();
        auto *ours = static_cast<TMessageFilter *>(filter.get());
        EXPECT_EQ(ours->oldFilter(), static_cast<IMessageFilter *>(earlier.Get()));
        EXPECT_EQ(currentFilter(), static_cast<IMessageFilter *>(ours));
        EXPECT_EQ(TMessageFilter::registeredFilter(), ours);
        filter->RevokeFilter();
        EXPECT_EQ(currentFilter(), static_cast<IMessageFilter *>(earlier.Get()));
        EXPECT_EQ(TMessageFilter::registeredFilter(), earlier.Get());
    }
    earlier->RevokeFilter();
    EXPECT_EQ(currentFilter(), nullptr);
    EXPECT_EQ(TMessageFilter::registeredFilter(), nullptr);
}

} // namespace
