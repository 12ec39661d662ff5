#include "ToolSupport.h"
#include "Tools.h"

#include "model/OpenCBMError.h"
#include "model/TextUtil.h"

#include <QFileInfo>

using namespace vellum::sim;

int main(int argc, char** argv) {
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }

    try {
        if (name == QLatin1String("cbmctrl")) {
            return runCbmctrl(arguments);
        }
        if (name == QLatin1String("d64copy")) {
            return runD64copy(arguments);
        }
        if (name == QLatin1String("imgcopy")) {
            return runImgcopy(arguments);
        }
        if (name == QLatin1String("cbmcopy")) {
            return runCbmcopy(arguments);
        }
        if (name == QLatin1String("cbmformat")) {
            return runCbmformat(arguments);
        }
        if (name == QLatin1String("xum1541cfg")) {
            return runXum1541cfg(arguments);
        }
        return runSetup(arguments);
    } catch (const std::exception& error) {
        writeErr(name.toLocal8Bit() + ": " + vellum::describeError(error).toLocal8Bit() + '\n');
        return 1;
    }
}
