#include "tests/support/MRAIDScripts.h"

#include <fstream>
#include <sstream>

#include "ads/webview/GADMRAIDInterceptor.h"
#include "platform/foundation/Bundle.h"

namespace testing_support {

namespace {

std::string resource(const std::string& name) {
    const auto path = foundation::Bundle::main().pathForResource(name, "js", "mraid");
    if (!path) {
        return {};
    }
    std::ifstream file(*path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

std::string MRAIDScripts::script(const std::string& name) {
    return resource(name) + resource("mraid");
}

void MRAIDScripts::serve(LocalServer& server) {
    for (const char* path : {kBanner, kInterstitial, kExpandedBanner}) {
        const std::string file(path);
        const std::string name =
            file.substr(file.rfind('/') + 1, file.size() - file.rfind('/') - 4);
        server.serve(path, 200, script(name), "application/javascript");
    }
    GADMRAIDInterceptor::setBannerImplementationPath(server.url(kBanner));
    GADMRAIDInterceptor::setInterstitialImplementationPath(server.url(kInterstitial));
    GADMRAIDInterceptor::setExpandedBannerImplementationPath(server.url(kExpandedBanner));
}

}  // namespace testing_support
