// Linked with every object of the data library and nothing of the layers above it: a data
// file that calls into a widget, a form or the application fails this link.
int main()
{
    return 0;
}
