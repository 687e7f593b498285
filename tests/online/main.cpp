#include <QCoreApplication>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <gtest/gtest.h>

// The update's tests need an event loop for the network and the local server.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Traffic goes to our own 127.0.0.1 server only, never through a proxy of the machine.
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
