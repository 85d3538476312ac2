#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

#include "ads/foundation/GADMacros.h"
#include "ads/presentation/GADDefaultInAppPurchase.h"
#include "ads/presentation/GADInAppPurchase.h"
#include "ads/presentation/GADPaymentTransactionObserver.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/PaymentQueue.h"
#include "platform/services/Storefront.h"
#include "platform/ui/AlertCenter.h"
#include "tests/support/LocalServer.h"

namespace {

using services::PaymentQueue;
using services::PaymentTransactionState;

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// The application: keeps what it was paid for, refuses what it was told to.
class Shop : public GADDefaultInAppPurchaseDelegate {
  public:
    void userDidPayForPurchase(const std::shared_ptr<GADDefaultInAppPurchase>& purchase) override {
        paid.push_back(purchase);
    }
    std::optional<bool> shouldStartPurchaseForProductID(const std::string& id,
                                                        std::int64_t) override {
        if (refused.empty()) {
            return std::nullopt;
        }
        return id != refused;
    }
    std::vector<std::shared_ptr<GADDefaultInAppPurchase>> paid;
    std::string refused;
};

class GADPaymentTransactionObserverTest : public testing::Test {
  protected:
    void SetUp() override {
        services::Storefront::shared().addProduct({"coins", "Coins", "", 0.99});
        GADMacros::setLogChecker(checker);
        GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(shop);
    }
    void TearDown() override {
        GADMacros::setLogChecker(nullptr);
        foundation::RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<GADInAppPurchase> offer(const std::string& id, std::int64_t quantity = 1,
                                            std::vector<std::string> templates = {}) {
        auto purchase = std::make_shared<GADInAppPurchase>();
        purchase->setProductID(id);
        purchase->setQuantity(quantity);
        purchase->setReportingURLStringFormats(std::move(templates));
        observer->didReceiveInAppPurchase(purchase);
        return purchase;
    }
    // The payments queued and not yet answered by the store.
    std::size_t pendingPayments() const {
        std::size_t pending = 0;
        for (const auto& transaction : PaymentQueue::defaultQueue().transactions()) {
            pending += transaction->transactionState == PaymentTransactionState::purchasing;
        }
        return pending;
    }
    void waitForPayment() {
        foundation::RunLoop::main().runUntil([&] { return pendingPayments() > 0; }, 5);
    }
    std::shared_ptr<ui::Alert> alert() const { return ui::AlertCenter::shared().topAlert(); }

    const std::shared_ptr<GADPaymentTransactionObserver>& observer =
        GADPaymentTransactionObserver::sharedInstance();
    std::shared_ptr<Shop> shop = std::make_shared<Shop>();
    std::shared_ptr<RecordingChecker> checker = std::make_shared<RecordingChecker>();
};

TEST_F(GADPaymentTransactionObserverTest, TheFlowNeedsADelegateAndKeepsTheFirst) {
    GADDefaultInAppPurchase::disableDefaultPurchaseFlow();
    GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(nullptr);
    EXPECT_FALSE(observer->isDefaultPurchaseFlowEnabled());
    GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(shop);
    GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(std::make_shared<Shop>());
    EXPECT_TRUE(observer->isDefaultPurchaseFlowEnabled());
    EXPECT_EQ(observer->defaultInAppPurchaseDelegate(), shop);
    // Off, the queue's transactions no longer reach the flow.
    GADDefaultInAppPurchase::disableDefaultPurchaseFlow();
    auto transaction = PaymentQueue::defaultQueue().addPayment({"coins", 1});
    PaymentQueue::defaultQueue().complete(transaction, PaymentTransactionState::purchased);
    EXPECT_TRUE(shop->paid.empty());
    EXPECT_FALSE(observer->isDefaultPurchaseFlowEnabled());
}

TEST_F(GADPaymentTransactionObserverTest, ABoughtProductIsReportedWhenTheApplicationFinishesIt) {
    std::mutex mutex;
    std::vector<std::string> reports;
    testing_support::LocalServer server;
    server.server().Get("/report", [&](const httplib::Request& request, httplib::Response&) {
        std::lock_guard lock(mutex);
        reports.push_back(request.target);
    });
    server.start();
    auto purchase = offer("coins", 2, {server.url("/report") + "?s=@status@&p=@sku@&q=@quantity@"});
    waitForPayment();
    auto transaction = PaymentQueue::defaultQueue().transactions().back();
    EXPECT_EQ(transaction->payment.productIdentifier, "coins");
    EXPECT_EQ(transaction->payment.quantity, 2);
    EXPECT_TRUE(observer->validProductIDs().count("coins"));
    PaymentQueue::defaultQueue().complete(transaction, PaymentTransactionState::purchased);

    ASSERT_EQ(shop->paid.size(), 1u);
    const std::shared_ptr<GADDefaultInAppPurchase> paid = shop->paid[0];
    EXPECT_EQ(paid->productID(), "coins");
    EXPECT_EQ(paid->quantity(), 2);
    EXPECT_EQ(paid->inAppPurchase(), purchase);
    // The transaction stays open until the application has delivered.
    EXPECT_TRUE(PaymentQueue::defaultQueue().finishedTransactions().empty());
    paid->finishTransaction();
    paid->finishTransaction();
    EXPECT_EQ(PaymentQueue::defaultQueue().finishedTransactions(),
              std::vector<std::shared_ptr<services::PaymentTransaction>>{transaction});
    EXPECT_EQ(purchase->purchaseStatus(), kGADInAppPurchaseStatusSuccessful);
    EXPECT_FALSE(paid->inAppPurchase());
    foundation::RunLoop::main().runUntil(
        [&] {
            std::lock_guard lock(mutex);
            return !reports.empty();
        },
        10);
    foundation::RunLoop::main().runUntilIdle();
    std::lock_guard lock(mutex);
    EXPECT_EQ(reports, std::vector<std::string>{"/report?s=1&p=coins&q=2"});
}

TEST_F(GADPaymentTransactionObserverTest, FailedAndCancelledPaymentsAreReportedAndFinished) {
    const std::vector<std::pair<long, std::int64_t>> cases{
        // a cancellation by the user
        {services::PaymentCancelledErrorCode, kGADInAppPurchaseStatusCancel},
        // any other failure
        {0, kGADInAppPurchaseStatusError},
        {5, kGADInAppPurchaseStatusError},
    };
    for (const auto& [code, status] : cases) {
        auto purchase = offer("coins");
        waitForPayment();
        auto transaction = PaymentQueue::defaultQueue().transactions().back();
        PaymentQueue::defaultQueue().complete(transaction, PaymentTransactionState::failed,
                                              foundation::Error{"SKErrorDomain", code, "no"});
        EXPECT_EQ(purchase->purchaseStatus(), status) << code;
        EXPECT_EQ(PaymentQueue::defaultQueue().finishedTransactions().back(), transaction);
        EXPECT_TRUE(observer->activeInAppPurchases().empty());
    }
    EXPECT_TRUE(shop->paid.empty());
    EXPECT_FALSE(alert());
}

TEST_F(GADPaymentTransactionObserverTest, ProductsThatCannotBeBoughtAreReportedWithAnAlert) {
    struct Case {
        const char* rule;
        std::string id;
        std::optional<foundation::Error> storeError;
        std::string refused;
        std::int64_t status;
    };
    const std::vector<Case> cases{
        {"unknown to the store", "gems", std::nullopt, "", kGADInAppPurchaseStatusInvalidProduct},
        {"the store's check fails", "coins", foundation::Error{"SKErrorDomain", 0, "offline"}, "",
         kGADInAppPurchaseStatusInvalidProduct},
        {"refused by the application", "coins", std::nullopt, "coins",
         kGADInAppPurchaseStatusError},
    };
    for (const Case& c : cases) {
        services::Storefront::shared().setProductsRequestError(c.storeError);
        shop->refused = c.refused;
        checker->messages.clear();
        auto purchase = offer(c.id);
        foundation::RunLoop::main().runUntil([&] { return alert() != nullptr; }, 5);
        EXPECT_EQ(purchase->purchaseStatus(), c.status) << c.rule;
        EXPECT_EQ(pendingPayments(), 0u) << c.rule;
        ASSERT_TRUE(alert()) << c.rule;
        EXPECT_EQ(alert()->title(), "Whoops!");
        EXPECT_EQ(alert()->message(), "Sorry, the product is currently unavailable.");
        EXPECT_EQ(alert()->buttonTitles(), std::vector<std::string>{"OK"});
        alert()->tapButton(0);
        if (c.status == kGADInAppPurchaseStatusInvalidProduct) {
            EXPECT_EQ(checker->messages,
                      std::vector<std::string>{"\"" + c.id +
                                               "\" is not a valid product ID or could not be "
                                               "validated. Verify your ad configuration."});
            EXPECT_TRUE(observer->invalidProducts().count(c.id) || c.storeError) << c.rule;
        }
        EXPECT_EQ(observer->activeProductsRequestCount(), 0u);
    }
}

TEST_F(GADPaymentTransactionObserverTest, TransactionsFindTheirPurchaseByProductAndQuantity) {
    auto one = offer("coins", 1);
    waitForPayment();
    // The product is known now: the next payment is queued at once.
    auto three = offer("coins", 3);
    EXPECT_EQ(pendingPayments(), 2u);
    EXPECT_EQ(observer->activeProductsRequestCount(), 0u);
    const auto transactions = PaymentQueue::defaultQueue().transactions();
    PaymentQueue::defaultQueue().complete(transactions[1], PaymentTransactionState::purchased);
    PaymentQueue::defaultQueue().complete(transactions[0], PaymentTransactionState::purchased);
    ASSERT_EQ(shop->paid.size(), 2u);
    EXPECT_EQ(shop->paid[0]->inAppPurchase(), three);
    EXPECT_EQ(shop->paid[1]->inAppPurchase(), one);
    // A payment the flow did not queue still reaches the application.
    auto own = PaymentQueue::defaultQueue().addPayment({"coins", 4});
    PaymentQueue::defaultQueue().complete(own, PaymentTransactionState::purchased);
    ASSERT_EQ(shop->paid.size(), 3u);
    const auto& stranger = shop->paid[2]->inAppPurchase();
    ASSERT_TRUE(stranger);
    EXPECT_EQ(stranger->productID(), "coins");
    EXPECT_EQ(stranger->quantity(), 4);
    EXPECT_TRUE(stranger->reportingURLStringFormats().empty());
}

}  // namespace
