#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <vector>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/AddressBook.h"
#include "platform/services/AdvertisingIdentifierManager.h"
#include "platform/services/AudioSession.h"
#include "platform/services/DeviceProfile.h"
#include "platform/services/EventEditViewController.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/services/MessageComposeViewController.h"
#include "platform/services/PaymentQueue.h"
#include "platform/services/ProductsRequest.h"
#include "platform/services/ServicesClasses.h"
#include "platform/services/StoreProductViewController.h"
#include "platform/services/Storefront.h"
#include "platform/services/TelephonyNetworkInfo.h"
#include "platform/services/UnknownPersonViewController.h"
#include "platform/ui/Screen.h"

using namespace services;

namespace {

class Recorder : public MailComposeViewControllerDelegate,
                 public EventEditViewDelegate,
                 public UnknownPersonViewControllerDelegate,
                 public StoreProductViewControllerDelegate,
                 public ProductsRequestDelegate,
                 public PaymentTransactionObserver {
  public:
    std::vector<std::string> events;
    Person::Ptr resolved;
    ProductsResponse response;

    void mailComposeControllerDidFinish(MailComposeViewController&, MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override {
        events.push_back("mail " + std::to_string(static_cast<int>(result)) +
                         (error ? " " + error->domain : ""));
    }
    void unknownPersonViewControllerDidResolveToPerson(UnknownPersonViewController&,
                                                       const Person::Ptr& p) override {
        resolved = p;
        events.push_back(p ? "resolved" : "resolved none");
    }
    void eventEditViewControllerDidCompleteWithAction(EventEditViewController& editor,
                                                      EventEditViewAction action) override {
        events.push_back("editor " + std::to_string(static_cast<int>(action)) + " " +
                         editor.event().title);
    }
    void productViewControllerDidFinish(StoreProductViewController&) override {
        events.push_back("product done");
    }
    void productsRequestDidReceiveResponse(ProductsRequest&, const ProductsResponse& r) override {
        response = r;
        events.push_back("products");
    }
    void requestDidFailWithError(ProductsRequest&, const foundation::Error& error) override {
        events.push_back("products failed " + error.domain);
    }
    void paymentQueueUpdatedTransactions(
        PaymentQueue&, const std::vector<std::shared_ptr<PaymentTransaction>>& tx) override {
        events.push_back("tx " + tx.front()->payment.productIdentifier + " " +
                         std::to_string(static_cast<int>(tx.front()->transactionState)));
    }
};

class ServicesTest : public testing::Test {
  protected:
    void TearDown() override { foundation::RunLoop::main().runUntilIdle(); }
    foundation::ManualClock clock;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
};

}  // namespace

TEST_F(ServicesTest, MailComposerRecordsTheMessageAndReportsTheFinish) {
    auto mail = MailComposeViewController::make();
    ASSERT_NE(mail, nullptr);
    mail->setMailComposeDelegate(recorder);
    mail->setSubject("Barcodes");
    mail->setMessageBody("<table></table>", true);
    foundation::Data csv = foundation::dataFromString("a;b\n");
    mail->addAttachmentData(csv, "application/octet-stream", "barcodes.csv");
    csv.clear();  // the composer keeps its own copy
    EXPECT_EQ(mail->attachments().at(0).data, foundation::dataFromString("a;b\n"));
    EXPECT_TRUE(mail->isHTML());
    mail->finish(MailComposeResult::failed,
                 foundation::Error{"MFMailComposeErrorDomain", 1, "Could not send"});
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"mail 3 MFMailComposeErrorDomain"}));

    MailComposeViewController::setCanSendMail(false);
    EXPECT_EQ(MailComposeViewController::make(), nullptr);
}

TEST_F(ServicesTest, UnknownPersonAddsTheContactOnlyWhenAllowed) {
    auto person = Person::make();
    person->setValue(PersonProperty::firstName, "Anna");
    person->setValue(PersonProperty::lastName, "Muller");
    EXPECT_FALSE(person->setValue(PersonProperty::phone, "123"));
    person->setMultiValue(PersonProperty::phone,
                          {{PersonPhoneMainLabel, std::string("+49 30 1234")}});
    person->setMultiValue(
        PersonProperty::address,
        {{HomeLabel, AddressDictionary{{PersonAddressStreetKey, "Hauptstr. 1"}}}});
    EXPECT_EQ(person->compositeName(), "Anna Muller");

    auto screen = std::make_shared<UnknownPersonViewController>();
    screen->setDisplayedPerson(person);
    screen->setUnknownPersonViewDelegate(recorder);
    AddressBook::shared().setAccessGranted(false);
    EXPECT_FALSE(screen->addToAddressBook());
    AddressBook::shared().setAccessGranted(true);
    EXPECT_TRUE(screen->addToAddressBook());
    EXPECT_EQ(recorder->resolved, person);
    EXPECT_EQ(AddressBook::shared().people().size(), 1u);
    screen->leaveWithoutAdding();
    EXPECT_EQ(recorder->events.back(), "resolved none");
}

TEST_F(ServicesTest, StoreAnswersOnALaterTurnOncePerRequest) {
    Storefront::shared().addProduct({"123456", "Scanner Pro", "", 0.99});
    auto sheet = std::make_shared<StoreProductViewController>();
    std::vector<bool> results;
    sheet->loadProductWithParameters(
        foundation::Value::dictionary({{StoreProductParameterITunesItemIdentifier, 123456}}),
        [&](bool ok, std::optional<foundation::Error>) { results.push_back(ok); });
    sheet->loadProductWithParameters(
        foundation::Value::dictionary({{StoreProductParameterITunesItemIdentifier, 9}}),
        [&](bool ok, std::optional<foundation::Error> e) { results.push_back(ok && !e); });
    EXPECT_TRUE(results.empty());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(results, (std::vector<bool>{true, false}));

    auto request = std::make_shared<ProductsRequest>(std::set<std::string>{"123456", "unknown"});
    request->setDelegate(recorder);
    request->start();
    auto cancelled = std::make_shared<ProductsRequest>(std::set<std::string>{"123456"});
    cancelled->setDelegate(recorder);
    cancelled->start();
    cancelled->cancel();
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"products"}));
    EXPECT_EQ(recorder->response.products.size(), 1u);
    EXPECT_EQ(recorder->response.invalidProductIdentifiers, (std::vector<std::string>{"unknown"}));

    // A store that fails the check answers with its error only.
    recorder->events.clear();
    Storefront::shared().setProductsRequestError(foundation::Error{"SKErrorDomain", 0, "offline"});
    auto failing = std::make_shared<ProductsRequest>(std::set<std::string>{"123456"});
    failing->setDelegate(recorder);
    failing->start();
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"products failed SKErrorDomain"}));
}

TEST_F(ServicesTest, PaymentsGoThroughTheQueueToItsObservers) {
    auto& queue = PaymentQueue::defaultQueue();
    queue.addTransactionObserver(recorder);
    auto tx = queue.addPayment({"coins", 2});
    queue.complete(tx, PaymentTransactionState::purchased);
    queue.complete(tx, PaymentTransactionState::failed);  // already answered
    queue.finishTransaction(tx);
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"tx coins 0", "tx coins 1"}));
    EXPECT_TRUE(queue.transactions().empty());
    EXPECT_EQ(queue.finishedTransactions().size(), 1u);
    queue.removeTransactionObserver(recorder.get());
    queue.addPayment({"more"});
    EXPECT_EQ(recorder->events.size(), 2u);
}

TEST_F(ServicesTest, CalendarRefusesWithoutAccessOrStart) {
    auto store = EventStore::make();
    std::optional<bool> answer;
    EventStore::setAccessGranted(false);
    store->requestAccessToEntityType(EntityType::event,
                                     [&](bool granted, auto) { answer = granted; });
    EXPECT_FALSE(answer.has_value());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(answer, false);

    EventEditViewController editor;
    editor.setEventStore(store);
    editor.event().title = "Launch";
    editor.event().startDate = foundation::Date::now();
    EXPECT_FALSE(store->saveEvent(editor.event()));
    EventStore::setAccessGranted(true);
    Event noStart;
    std::optional<foundation::Error> error;
    EXPECT_FALSE(store->saveEvent(noStart, &error));
    EXPECT_TRUE(error.has_value());
    EXPECT_TRUE(store->saveEvent(editor.event()));
    EXPECT_EQ(store->savedEvents().size(), 1u);
}

TEST_F(ServicesTest, CalendarEditorTellsItsDelegateWhatTheUserDid) {
    auto editor = std::make_shared<EventEditViewController>();
    editor->setEventStore(EventStore::make());
    editor->setEditViewDelegate(recorder);
    editor->event().title = "Launch";
    EXPECT_FALSE(editor->save());  // no start date: the editor stays
    editor->event().startDate = foundation::Date::now();
    EXPECT_TRUE(editor->save());
    editor->cancel();
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"editor 1 Launch", "editor 0 Launch"}));
    EXPECT_EQ(editor->eventStore()->savedEvents().size(), 1u);
}

TEST_F(ServicesTest, ServiceScreensAreKnownByTheirPlatformNames) {
    auto& registry = foundation::ClassRegistry::shared();
    registry.unregisterClass("SKStoreProductViewController");
    EXPECT_FALSE(registry.exists("SKStoreProductViewController"));
    registerServicesClasses();
    for (const char* name : {"SKStoreProductViewController", "EKEventEditViewController",
                             "MFMailComposeViewController", "MFMessageComposeViewController"}) {
        EXPECT_TRUE(registry.isSubclass(name, "UIViewController")) << name;
    }
}

TEST_F(ServicesTest, DeviceFacts) {
    auto& ads = AdvertisingIdentifierManager::sharedManager();
    const auto& id = ads.advertisingIdentifier();
    ASSERT_EQ(id.size(), 36u);
    for (std::size_t i = 0; i < id.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        EXPECT_TRUE(dash ? id[i] == '-'
                         : std::isxdigit(static_cast<unsigned char>(id[i])) && !std::islower(id[i]))
            << id;
    }
    EXPECT_EQ(id[14], '4');  // a random (version 4) identifier
    EXPECT_EQ(ads.advertisingIdentifier(),
              AdvertisingIdentifierManager::sharedManager().advertisingIdentifier());

    auto& radio = TelephonyNetworkInfo::shared();
    EXPECT_FALSE(radio.currentRadioAccessTechnology().has_value());
    int posts = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        RadioAccessTechnologyDidChangeNotification, nullptr, nullptr,
        [&](const foundation::Notification&) { ++posts; });
    radio.setCurrentRadioAccessTechnology(RadioAccessTechnologyLTE);
    radio.setCurrentRadioAccessTechnology(RadioAccessTechnologyLTE);
    EXPECT_EQ(posts, 1);
    foundation::NotificationCenter::defaultCenter().removeObserver(token);
}

TEST_F(ServicesTest, TheAdvertisingIdentifierIsKeptWithTheHomeUntilTheUserResetsIt) {
    auto& ads = AdvertisingIdentifierManager::sharedManager();
    const std::string path =
        foundation::ApplicationHome::library() + "/" + AdvertisingIdentifierManager::kFileName;
    auto store = [&](const std::string& text) {
        ASSERT_TRUE(foundation::FileManager::defaultManager().writeAtomically(
            path, foundation::Data(text.begin(), text.end())));
    };
    auto stored = [&] {
        const auto data = foundation::FileManager::defaultManager().contentsAtPath(path);
        return data ? std::string(data->begin(), data->end()) : std::string("<none>");
    };
    auto launch = [] { foundation::ProcessState::resetAll(); };

    // The first use makes one and stores it; later launches read it back.
    const std::string made = ads.advertisingIdentifier();
    EXPECT_EQ(stored(), made + "\n");
    launch();
    EXPECT_EQ(ads.advertisingIdentifier(), made);

    // A home that keeps one gives it from the first use on.
    store("00000000-0000-4000-8000-0000000000ab\n");
    launch();
    EXPECT_EQ(ads.advertisingIdentifier(), "00000000-0000-4000-8000-0000000000AB");

    // The user's reset makes a new one that the next launch keeps.
    ads.resetAdvertisingIdentifier();
    const std::string renewed = ads.advertisingIdentifier();
    EXPECT_NE(renewed, "00000000-0000-4000-8000-0000000000AB");
    launch();
    EXPECT_EQ(ads.advertisingIdentifier(), renewed);

    // A damaged file is replaced by a new identifier.
    store("not an identifier");
    launch();
    const std::string replaced = ads.advertisingIdentifier();
    EXPECT_NE(replaced, renewed);
    EXPECT_EQ(replaced.size(), 36u);
    EXPECT_EQ(stored(), replaced + "\n");
}

TEST_F(ServicesTest, DeviceProfileSetsEveryPlatformFact) {
    DeviceProfile tablet;
    tablet.model = "iPad";
    tablet.machine = "Pad4,1";
    tablet.systemVersion = "8.1";
    tablet.idiom = ui::UserInterfaceIdiom::pad;
    tablet.screenBounds = {0, 0, 768, 1024};
    tablet.screenScale = 1;
    tablet.audioOutputs = std::vector<std::string>{AudioSessionPortHeadphones};
    tablet.audioRoute = std::nullopt;
    tablet.radioAccessTechnology = RadioAccessTechnologyLTE;
    tablet.advertisingIdentifier = "00000000-0000-4000-8000-000000000001";
    tablet.advertisingTrackingEnabled = false;
    tablet.canMakePayments = false;
    DeviceProfile::use(tablet);

    EXPECT_EQ(DeviceProfile::current().machine, "Pad4,1");
    EXPECT_EQ(ui::Device::currentDevice().model(), "iPad");
    EXPECT_EQ(ui::Device::currentDevice().systemVersion(), "8.1");
    EXPECT_EQ(ui::Device::currentDevice().userInterfaceIdiom(), ui::UserInterfaceIdiom::pad);
    EXPECT_EQ(ui::Screen::mainScreen().bounds(), graphics::Rect(0, 0, 768, 1024));
    EXPECT_EQ(ui::Screen::mainScreen().scale(), 1);
    EXPECT_EQ(AudioSession::sharedInstance().currentRouteOutputs(),
              std::vector<std::string>{"Headphones"});
    EXPECT_EQ(AudioSession::sharedInstance().audioRoute(), std::nullopt);
    EXPECT_EQ(TelephonyNetworkInfo::shared().currentRadioAccessTechnology(),
              RadioAccessTechnologyLTE);
    EXPECT_EQ(AdvertisingIdentifierManager::sharedManager().advertisingIdentifier(),
              "00000000-0000-4000-8000-000000000001");
    EXPECT_FALSE(AdvertisingIdentifierManager::sharedManager().isAdvertisingTrackingEnabled());
    EXPECT_FALSE(PaymentQueue::canMakePayments());

    foundation::ProcessState::resetAll();  // as between two tests
    EXPECT_EQ(ui::Device::currentDevice().model(), "Phone");
    EXPECT_EQ(AudioSession::sharedInstance().currentRouteOutputs(),
              std::vector<std::string>{"Speaker"});
    EXPECT_TRUE(AdvertisingIdentifierManager::sharedManager().isAdvertisingTrackingEnabled());
    EXPECT_EQ(ui::Screen::mainScreen().bounds(), graphics::Rect(0, 0, 320, 568));
    EXPECT_EQ(DeviceProfile::current().machine, DeviceProfile::hostMachine());
    EXPECT_TRUE(PaymentQueue::canMakePayments());
}
