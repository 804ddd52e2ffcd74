#include "smallpadmodel.h"

#include "padmodel.h"

namespace tavrosim {

Bytes SimSmallPadModel::factoryRecord() const
{
    return padFactoryRecord();
}

} // namespace tavrosim
