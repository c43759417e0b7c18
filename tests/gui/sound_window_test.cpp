// The window heard through SDL's disk driver, which writes what reaches the sound
// device to a file: the keys typed are spoken and the machine plays, in order; and
// without a sound device the same keys work and print nothing.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "gui_fixture.h"
#include "wave_samples.h"

namespace tallymar::testing {

// What is written straight on the standard error (not through Qt's messages)
// while it lives.
class StandardErrorCapture {
  public:
    explicit StandardErrorCapture(const QString& path) : path_(path) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int file = open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
        previous_ =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }
    QString Stop() {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        qInstallMessageHandler(previous_);
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "unreadable";
    }

  private:
    QString path_;
    int saved_ = -1;
    QtMessageHandler previous_ = nullptr;
};

class SoundWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;

    QString Output() const { return folder_->filePath("device.raw"); }
    void WriteSettings(const QString& voice, const QString& machine) {
        QFile ini(folder_->filePath("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QString("[OPTIONS]\nCallInputCharacter=%1\nMachineSound=%2\n")
                      .arg(voice, machine)
                      .toUtf8());
    }
    static std::vector<std::int16_t> Sound(const char* name) {
        const auto wave = ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
        return wave ? wave->samples : std::vector<std::int16_t>{};
    }

  private slots:
    void initTestCase() {
        // Started in the folder where its sounds lie, as the program expects.
        QVERIFY(QDir::setCurrent(TALLYMAR_SOUNDS_BUILD_DIR));
    }

    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", Output().toUtf8());
        qputenv("SDL_DISKAUDIODELAY", "0");
    }

    void cleanup() {
        QVERIFY2(watchdog_->unexpected.empty(), "an unexpected window");
        watchdog_.reset();
        folder_.reset();
    }

    void keys_are_spoken_and_the_machine_plays_after_the_operator() {
        WriteSettings("Grunk", "Canon");
        {
            Started t(folder_->path());
            t.Type("5+");
            QCOMPARE(t.calc().tape()[3].Amount, 5.0);
        }  // closing the program closes the sound device
        const auto heard = ReadRawSamples(Output().toStdString());
        std::size_t from = 0;
        for (const char* name : {"a5.wav", "a+.wav", "Canon1.wav"}) {
            const auto sound = Sound(name);
            QVERIFY2(!sound.empty(), name);
            const auto at = FindSamples(heard, sound, from);
            QVERIFY2(at.has_value(), qPrintable(QString(name) + " was not heard in its turn"));
            from = *at + sound.size();
        }
    }

    void without_a_sound_device_the_keys_work_and_nothing_is_printed() {
        // ALSA, asked for a device that does not exist, would say so on the terminal.
        qputenv("SDL_AUDIODRIVER", "alsa");
        qputenv("AUDIODEV", "no-such-device");
        WriteSettings("Pippa", "Sharp");
        StandardErrorCapture capture(folder_->filePath("stderr.txt"));
        {
            Started t(folder_->path());
            t.Type("12.5+3");
            t.Key(Qt::Key_Return);
            QCOMPARE(t.calc().tape()[3].Amount, 12.5);
        }
        QCOMPARE(capture.Stop(), QString());
        qunsetenv("AUDIODEV");
        QVERIFY(!QFile::exists(Output()));
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::SoundWindowTest)
#include "sound_window_test.moc"
