#include <QSslSocket>
#include <gtest/gtest.h>

// The online update reads https addresses: the build must carry a TLS backend that loads (OpenSSL
// on Linux, Windows' own schannel there).
TEST(TlsTest, HttpsHasABackendThatLoads)
{
    EXPECT_TRUE(QSslSocket::supportsSsl()) << QSslSocket::activeBackend().toStdString();
#ifdef Q_OS_WIN
    EXPECT_TRUE(QSslSocket::availableBackends().contains(QStringLiteral("schannel")));
#endif
}
